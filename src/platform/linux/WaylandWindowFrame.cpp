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
    // the focus appears anew, which the compositors give the focus to, once what it drew
    // last was answered (see afterLastFrame()).
    if (window.isExposed() && !window.isActive())
        new FrameWait(window, [&window] {
            if (window.isExposed() && !window.isActive()) {
                window.hide();
                window.show();
            }
        });
}

void WaylandWindowFrame::afterLastFrame(QWindow &window, std::function<void()> then)
{
    if (window.isExposed())
        return void(new FrameWait(window, std::move(then)));
    // Nothing drawn is waiting; an older wait must not act after this request.
    FrameWait::cancel(window);
    then();
}
