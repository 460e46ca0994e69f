#include "KeywordLineEdit.h"

#include "platform/VirtualKeys.h"

#include <QKeyEvent>

void KeywordLineEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    emit keyDown(VirtualKeys::fromQtKey(key, event->modifiers() & Qt::KeypadModifier));

    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit keyPress(QChar(u'\r'));
        event->accept();
        return;
    }
    for (QChar c : event->text())
        emit keyPress(c);
    // The combo box would step through its items on the arrow keys; the list is opened by
    // the key-down handler instead.
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
        || key == Qt::Key_PageDown) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
