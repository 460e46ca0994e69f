#include "KeywordLineEdit.h"

#include "KeywordStore.h"

#include "platform/VirtualKeys.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

bool isPrintable(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

} // namespace

KeywordLineEdit::KeywordLineEdit(const KeywordStore &store, QWidget *parent)
    : QLineEdit(parent)
    , m_store(store)
{
    // Edits the line makes by itself (delete, paste, cut, undo) are the user's too.
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!m_programEdit) {
            m_currentRow = -1;
            emit edited();
        }
    });
    // The combo box would take Down to step to its next item, replacing the keyword typed
    // (Enter would then launch another entry); Down belongs to the key-down handler, which
    // opens the list.
    if (parent)
        parent->installEventFilter(this);
}

bool KeywordLineEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down
        && !(static_cast<QKeyEvent *>(event)->modifiers() & Qt::AltModifier)) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}

void KeywordLineEdit::picked(qsizetype row)
{
    m_currentRow = row;
    emit edited();
}

void KeywordLineEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    emit keyDown(VirtualKeys::fromQtKey(key, event->modifiers() & Qt::KeypadModifier));

    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit keyPress(QChar(u'\r'));
        event->accept();
        return;
    }
    const QString text = event->text();
    for (QChar c : text)
        emit keyPress(c);
    // The combo box would step through its items on the arrow keys; the list is opened by
    // the key-down handler instead.
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
        || key == Qt::Key_PageDown) {
        event->accept();
        return;
    }
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!command && isPrintable(text) && !isReadOnly()) {
        complete(text);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void KeywordLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (const bool composing = !event->preeditString().isEmpty(); composing != m_composing) {
        m_composing = composing;
        emit compositionChanged(composing);
    }
    const QString committed = event->commitString();
    if (committed.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    for (QChar c : committed)
        emit keyPress(c);
    // A replacement range would edit text before the caret; leave such events to the line.
    if (event->replacementLength() != 0) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Clear the composition first, complete the committed text, then start whatever new
    // composition came with the event; the composition itself is never completed.
    QInputMethodEvent clear;
    QLineEdit::inputMethodEvent(&clear);
    complete(committed);
    if (!event->preeditString().isEmpty()) {
        QInputMethodEvent preedit(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&preedit);
    }
}

void KeywordLineEdit::complete(const QString &typed)
{
    const QString current = text();
    const QString candidate =
        (hasSelectedText() ? current.left(selectionStart()) : current) + typed;
    const qsizetype row = m_store.findPrefix(candidate);
    m_programEdit = true;
    if (row >= 0) {
        const QString &keyword = m_store.keywords()[row];
        setText(candidate + keyword.mid(candidate.size()));
        setSelection(int(text().size()), int(candidate.size()) - int(text().size()));
    } else {
        insert(typed);
    }
    m_programEdit = false;
    m_currentRow = row;
    emit edited();
}
