#include "KeywordLineEdit.h"

#include "keywords/KeywordStore.h"

#include "platform/VirtualKeys.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

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

// Keys that change the line's text as it stands, typed characters aside.
bool editsText(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete)
        return true;
    for (const QKeySequence::StandardKey edit :
         {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
          QKeySequence::Backspace, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
          QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine})
        if (event.matches(edit))
            return true;
    return false;
}

// Keys with which the combo box would step to another item, replacing the keyword typed
// (Enter would then launch another entry); the list's own navigation is the list's.
bool stepsThroughItems(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        return !(event.modifiers() & Qt::AltModifier); // Alt opens the list
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
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
            m_completesNothing.clear();
            emit edited();
        }
    });
    // A keyword registered since may equal the line.
    connect(&store, &KeywordStore::listChanged, this, [this] { m_completesNothing.clear(); });
    setAcceptDrops(false);
    // The combo box sees the keys and the wheel first and would step through its items;
    // only typing changes the keyword. Down belongs to the key-down handler, which opens
    // the list.
    if (parent)
        parent->installEventFilter(this);
}

bool KeywordLineEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && stepsThroughItems(*static_cast<QKeyEvent *>(event))) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    if (event->type() == QEvent::Wheel) {
        event->accept();
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}

void KeywordLineEdit::showStandIn(const QString &text)
{
    m_standIn = text;
    setText(text);
    setCursorPosition(0);
}

bool KeywordLineEdit::showsStandIn() const
{
    return !m_standIn.isEmpty() && text() == m_standIn;
}

void KeywordLineEdit::selectWhole()
{
    setSelection(int(text().size()), -int(text().size()));
}

void KeywordLineEdit::replaceStandIn()
{
    // Selected whole, the stand-in goes with the edit, and what the edit keeps (a copy
    // taken with Cut) is still the text shown.
    if (showsStandIn())
        selectWhole();
}

void KeywordLineEdit::picked(qsizetype row)
{
    m_currentRow = row;
    m_completesNothing.clear();
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
    if (editsText(*event))
        replaceStandIn();
    QLineEdit::keyPressEvent(event);
}

void KeywordLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    replaceStandIn();
    QLineEdit::contextMenuEvent(event);
}

void KeywordLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the X selection at the caret, giving up any selection first:
    // the stand-in goes beforehand.
    if (event->button() == Qt::MiddleButton && showsStandIn() && !isReadOnly())
        setText(QString());
    QLineEdit::mouseReleaseEvent(event);
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
        const QStringView keyword = m_store.keywords().at(row);
        setText(QString(candidate).append(keyword.sliced(candidate.size())));
        setSelection(int(text().size()), int(candidate.size()) - int(text().size()));
    } else {
        insert(typed);
    }
    m_programEdit = false;
    m_currentRow = row;
    m_completesNothing = row < 0 ? candidate : QString();
    emit edited();
}
