#pragma once

#include <QLineEdit>

class KeywordStore;

// The edit part of the input line. Every key is announced as a virtual-key code before it
// takes effect, and every character it produces after that, so the main window can act
// on them first; Enter goes no further than the announcement.
//
// Typed characters, and text committed by an input method, are completed from the keyword
// list: the first keyword that begins with the text before the selection plus the typed
// text is proposed, its rest selected. edited() reports every change the user made
// (typing, completing, deleting, pasting, picking from the list), never text the program
// set.
//
// The line takes no drops: a file dropped on it is the window's.
class KeywordLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    // The parent is the combo box the line belongs to, which receives the keys first.
    KeywordLineEdit(const KeywordStore &store, QWidget *parent);

    // The row last proposed or picked; -1 after a plain edit or a deletion.
    qsizetype currentRow() const { return m_currentRow; }
    // Whether the line holds the text a typed key left where no keyword begins with it, so
    // that no keyword equals it either: the look-up for an equal one is spared.
    bool completesNothing() const
    {
        return !m_completesNothing.isNull() && text() == m_completesNothing;
    }
    // A row picked from the drop-down list, already shown in the line.
    void picked(qsizetype row);
    // An input method is composing text (preedit) in the line.
    bool composing() const { return m_composing; }

    // Shows a text of the program's that stands for no text of the user's (the clock), from
    // its start. Whatever the user edits next (a key, a paste, the line's menu) replaces it
    // whole, as if the line were empty.
    void showStandIn(const QString &text);
    bool showsStandIn() const;
    // Selects the whole text with the caret at its start, so a long text shows its beginning.
    void selectWhole();

signals:
    // A composition began or ended, before the line shows its first or last state.
    void compositionChanged(bool composing);
    void keyDown(int virtualKey);
    void keyPress(QChar character);
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void complete(const QString &typed);
    // The stand-in text gives way to an edit of the user's.
    void replaceStandIn();

    const KeywordStore &m_store;
    qsizetype m_currentRow = -1;
    QString m_completesNothing;
    bool m_programEdit = false;
    bool m_composing = false;
    QString m_standIn;
};
