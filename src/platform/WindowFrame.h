#pragma once

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
};
