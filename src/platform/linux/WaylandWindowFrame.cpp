#include "WaylandWindowFrame.h"

#include <functional>

#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace {

// Waits for the window's frames to be answered, then calls back once and goes.
class FrameWait : public QObject
{
public:
    FrameWait(QWindow &window, std::function<void()> then)
        : QObject(&window)
        , m_window(window)
        , m_then(std::move(then))
    {
        window.installEventFilter(this);
        QTimer::singleShot(200, this, [this] { finish(); });
        window.requestUpdate();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The request is answered once the last frame has been; what the answer draws is
        // answered by the next.
        if (watched == &m_window && event->type() == QEvent::UpdateRequest && !m_finishing
            && ++m_rounds <= 2)
            QMetaObject::invokeMethod(
                this, [this] { m_rounds < 2 ? m_window.requestUpdate() : finish(); },
                Qt::QueuedConnection);
        return false;
    }

private:
    void finish()
    {
        if (m_finishing)
            return;
        m_finishing = true;
        m_window.removeEventFilter(this);
        const std::function<void()> then = std::move(m_then);
        deleteLater();
        then();
    }

    QWindow &m_window;
    std::function<void()> m_then;
    int m_rounds = 0;
    bool m_finishing = false;
};

} // namespace

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
    // Not drawn to since it lost the focus, it has no frame waiting for an answer.
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
