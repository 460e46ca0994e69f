#include "WaylandWindowFrame.h"

#include "FrameWait.h"

#include <QWindow>

WindowFrame::Abilities WaylandWindowFrame::abilities() const
{
    return {.placesItself = false, .staysOnTop = false, .maskCutsDrawing = false};
}

bool WaylandWindowFrame::startMove(QWindow &window, QPoint)
{
    return window.startSystemMove();
}

void WaylandWindowFrame::bringForward(QWindow &window, const QByteArray &activationToken)
{
    if (!activationToken.isEmpty()) {
        // The toolkit hands the compositor the token it finds there; programs started from
        // here later must not inherit it.
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
        window.requestActivate();
        qunsetenv("XDG_ACTIVATION_TOKEN");
        return;
    }
    // A window mapped just now is focused as it appears; one that was on the screen without
    // the focus appears anew, which the compositors give the focus to. Not drawn to since it
    // lost the focus, it has no frame waiting for an answer (see afterLastFrame()).
    if (window.isExposed() && !window.isActive()) {
        window.hide();
        window.show();
    }
}

void WaylandWindowFrame::afterLastFrame(QWindow &window, std::function<void()> then)
{
    if (!window.isExposed())
        return then();
    new FrameWait(window, std::move(then));
}
