#pragma once

#include "ui/WindowDrag.h"

#include <QObject>

class QMouseEvent;
class QWidget;
class WindowFrame;

// The main window moved by a drag on its bare surface, and whether the window manager is
// moving it now: it takes the pointer and the keyboard for the move, which is no turning to
// another program.
class WindowMove : public QObject
{
public:
    WindowMove(QWidget &window, WindowFrame &frame);

    void press(const QMouseEvent &event);
    void move(const QMouseEvent &event);
    void release();
    // The program is active again: a move of the window manager's has ended.
    void activated() { m_systemMove = false; }

    bool bySystem() const { return m_systemMove; }

private:
    WindowDrag m_drag;
    // Set from the move handed to the window manager until the program is active again
    // (or, when the move never took the focus, shortly after the release).
    bool m_systemMove = false;
};
