#include "FrameWait.h"

#include <QEvent>
#include <QTimer>
#include <QWindow>

FrameWait::FrameWait(QWindow &window, std::function<void()> then)
    : QObject(&window)
    , m_window(window)
    , m_then(std::move(then))
{
    window.installEventFilter(this);
    QTimer::singleShot(200, this, [this] { finish(); });
    window.requestUpdate();
}

bool FrameWait::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::UpdateRequest && !m_finishing
        && ++m_rounds <= 2)
        // Once the window has handled the request (and drawn what it had to).
        QMetaObject::invokeMethod(
            this, [this] { m_rounds < 2 ? m_window.requestUpdate() : finish(); },
            Qt::QueuedConnection);
    return false;
}

void FrameWait::finish()
{
    if (m_finishing)
        return;
    m_finishing = true;
    m_window.removeEventFilter(this);
    const std::function<void()> then = std::move(m_then);
    deleteLater();
    then();
}
