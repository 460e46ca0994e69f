#pragma once

class QPoint;
class QWindow;

// How the desktop frames a window: the launcher wants a thin border it can be resized by,
// and no caption.
class WindowFrame
{
public:
    virtual ~WindowFrame();

    // Asks the window manager for a border and resize handles only. Where there is no window
    // manager to ask, nothing happens.
    virtual void setBorderOnly(QWindow &window) = 0;

    // Hands the window to the window manager's move, as if the move had begun at the point
    // on the screen where the button went down, so that the window keeps up with the pointer
    // however far it went since. False where no window manager moves windows.
    virtual bool startMove(QWindow &window, QPoint pressPoint) = 0;
};
