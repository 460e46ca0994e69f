#pragma once

#include <QObject>
#include <QString>

class Interaction;
class KeywordLineEdit;
class QTimer;

// The clock that fills the input line while the user leaves it alone. It ticks once a
// second; the fifth tick in a row without typing shows the date and time, and every later
// tick renews them. Typing, a composition of an input method, or text the user has
// selected stops it until a key is pressed again or a command has finished.
class IdleClock : public QObject
{
    Q_OBJECT

public:
    IdleClock(KeywordLineEdit &line, Interaction &interaction, QObject *parent);

    // Starts ticking unless it ticks already: a restart would move its second, and keys
    // held down would keep it from ever ticking.
    void switchOn();
    bool isOn() const;

    // The user changed the line: the clock stops and stays off until resume().
    void holdForTyping();
    // The change was handled to its end: the idle count starts again.
    void restartIdleCount() { m_idleTicks = 0; }
    // A key was pressed, or a command finished: the clock may tick again.
    void resume();

    // The line shows the clock's text, which is no text of the user's.
    bool showsTime() const;
    // Typing or composing begins: the clock's text, selected, gives way to it.
    void giveWay();

    bool userTyping() const { return m_userTyping; }
    int idleTicks() const { return m_idleTicks; }

    void tick();
    // The date and time in the line now, as a tick shows them.
    void showTimeNow();

private:
    KeywordLineEdit &m_line;
    QTimer *m_timer;
    bool m_userTyping = false;
    int m_idleTicks = 0;
};
