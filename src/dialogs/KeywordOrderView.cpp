#include "KeywordOrderView.h"

#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>

bool KeywordOrderView::acceptsDrop(const QObject *source, QPoint position) const
{
    return source == this && selectionModel()->hasSelection() && indexAt(position).isValid();
}

void KeywordOrderView::startDrag(Qt::DropActions)
{
    const QModelIndex dragged = currentIndex();
    if (!dragged.isValid() || !selectionModel()->isSelected(dragged))
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(model()->mimeData({dragged}));
    const QRect row = visualRect(dragged);
    drag->setPixmap(viewport()->grab(row));
    drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - row.topLeft());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void KeywordOrderView::dragMoveEvent(QDragMoveEvent *event)
{
    // The view scrolls near its edges and shows where the row would land.
    QTreeView::dragMoveEvent(event);
    event->setAccepted(acceptsDrop(event->source(), event->position().toPoint()));
}

void KeywordOrderView::dropEvent(QDropEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (acceptsDrop(event->source(), position)) {
        emit droppedOnto(indexAt(position).row());
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
}

void KeywordOrderView::keyPressEvent(QKeyEvent *event)
{
    const bool control = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (control && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        emit stepRequested(event->key() == Qt::Key_Up ? -1 : 1);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}
