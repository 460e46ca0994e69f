#pragma once

#include "platform/WindowFrame.h"

// Motif window manager hints on X11, which the common window managers honour; Qt's
// window flags can ask for no caption only together with no border.
class X11WindowFrame : public WindowFrame
{
public:
    void setBorderOnly(QWindow &window) override;
    // _NET_WM_MOVERESIZE, where the window manager supports it.
    bool startMove(QWindow &window, QPoint pressPoint) override;
    // Translated to the root window, one round trip.
    std::optional<QPoint> clientPosition(const QWindow &window) const override;
};
