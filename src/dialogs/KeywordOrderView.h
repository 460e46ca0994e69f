#pragma once

#include <QTreeView>

class KeywordOrderDialog;

// The keyword order window's list: rows are dragged within it and dropped on a row; Ctrl+Up
// and Ctrl+Down move the selected row without the mouse. The window decides what a drop
// does.
class KeywordOrderView : public QTreeView
{
public:
    KeywordOrderView(KeywordOrderDialog &dialog, QWidget *parent);

protected:
    // The view's own drag would remove the dragged row after a move dropped on itself.
    void startDrag(Qt::DropActions) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    KeywordOrderDialog &m_dialog;
};
