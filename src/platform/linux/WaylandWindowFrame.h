#pragma once

#include "platform/WindowFrame.h"

// A Wayland compositor frames, places and stacks its windows itself: a window cannot move
// itself, stay above the others or learn where the pointer is, its mask only says where it
// takes clicks, and it takes the focus only with a token from the desktop or by appearing.
class WaylandWindowFrame : public WindowFrame
{
public:
    Abilities abilities() const override;
    // The compositor decides the decorations.
    void setBorderOnly(QWindow &) override {}
    // The compositor's own move, begun by the button still held.
    bool startMove(QWindow &window, QPoint pressPoint) override;
    void bringForward(QWindow &window, const QByteArray &activationToken) override;
    // The toolkit (Qt 6.4) can abort when a window is unmapped just as the compositor answers
    // its last frame: the answer's callback is then destroyed twice, by the thread that reads
    // frames and by the unmapping. So a window is unmapped only once the frames it drew have
    // been answered (FrameWait).
    void afterLastFrame(QWindow &window, std::function<void()> then) override;

private:
    void activateOnceExposed(QWindow &window, const QByteArray &activationToken);
};
