#pragma once

#include <QPoint>

#include <optional>

class QMouseEvent;
class QWidget;
class WindowFrame;

// Moves a top-level window by a left-button press on it. Nothing happens for a mere click:
// once the pointer has gone a few pixels the window manager takes the move over from the
// press point (so the window keeps up with the pointer), or, where it cannot, the window
// follows the pointer until the release.
class WindowDrag
{
public:
    WindowDrag(QWidget &window, WindowFrame &frame);

    void press(const QMouseEvent &event);
    // True when the window manager has just taken the move over.
    bool move(const QMouseEvent &event);
    void release();

private:
    QWidget &m_window;
    WindowFrame &m_frame;
    // Where the left button went down, until a move begins.
    std::optional<QPoint> m_pressPoint;
    // Set while the window follows the pointer.
    std::optional<QPoint> m_offset;
};
