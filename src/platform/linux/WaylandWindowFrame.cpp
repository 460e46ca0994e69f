#include "WaylandWindowFrame.h"

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
        // The toolkit hands the compositor the token it finds there, and takes it away.
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
        window.requestActivate();
        return;
    }
    // A window mapped just now is focused as it appears; one that was on the screen without
    // the focus appears anew, which the compositors give the focus to.
    if (window.isExposed() && !window.isActive()) {
        window.hide();
        window.show();
    }
}
