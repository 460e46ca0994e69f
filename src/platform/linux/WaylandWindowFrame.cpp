#include "WaylandWindowFrame.h"

#include "FrameWait.h"

#include <QTimer>
#include <QWindow>

#include <memory>

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
        // A window shown just now (the first show) is no surface to activate until the
        // compositor has configured it and it has drawn: the token waits for that.
        if (!window.isExposed())
            return activateOnceExposed(window, activationToken);
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

void WaylandWindowFrame::activateOnceExposed(QWindow &window, const QByteArray &activationToken)
{
    // The toolkit tells no one else of its expose event; a few looks at start-up cost nothing.
    auto *look = new QTimer(&window);
    look->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(look, &QTimer::timeout, &window,
                     [this, look, tries, &window, activationToken] {
                         if (window.isExposed())
                             // After the frame the expose event draws.
                             QTimer::singleShot(0, &window, [this, &window, activationToken] {
                                 bringForward(window, activationToken);
                             });
                         else if (++*tries < 300)
                             return;
                         look->deleteLater();
                         look->stop();
                     });
    look->start();
}

void WaylandWindowFrame::afterLastFrame(QWindow &window, std::function<void()> then)
{
    if (window.isExposed())
        return void(new FrameWait(window, std::move(then)));
    // Nothing drawn is waiting; an older wait must not act after this request.
    FrameWait::cancel(window);
    then();
}
