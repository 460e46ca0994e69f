#pragma once

#include <QTreeView>

// The keyword order window's list: rows are dragged within it and dropped on a row; Ctrl+Up
// and Ctrl+Down move the selected row without the mouse. It reports what the user asked for;
// the window decides what a move does.
class KeywordOrderView : public QTreeView
{
    Q_OBJECT

public:
    using QTreeView::QTreeView;

    // Whether a drop from `source` at the position in the viewport is taken: from the list
    // itself, with a row selected, over a row.
    bool acceptsDrop(const QObject *source, QPoint position) const;

signals:
    // The selected row was dropped on the row.
    void droppedOnto(int row);
    // Ctrl+Up (-1) or Ctrl+Down (+1).
    void stepRequested(int step);

protected:
    // The view's own drag would remove the dragged row after a move dropped on itself.
    void startDrag(Qt::DropActions) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
