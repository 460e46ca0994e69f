#include "FrameWait.h"

#include <QEvent>
#include <QTimer>
#include <QWindow>

FrameWait::FrameWait(QWindow &window, std::function<void()> then)
    : QObject()
    , m_window(window)
    , m_then(std::move(then))
{
    cancel(window);
    setParent(&window);
    window.installEventFilter(this);
    QTimer::singleShot(200, this, [this] { finish(); });
    window.requestUpdate();
}

void FrameWait::cancel(QWindow &window)
{
    for (FrameWait *older : window.findChildren<FrameWait *>(Qt::FindDirectChildrenOnly))
        older->stop();
}

bool FrameWait::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::UpdateRequest && !m_finishing
        && ++m_rounds <= 2)
        // Once the window has handled the request (and drawn what it had to).
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_finishing)
                    m_rounds < 2 ? m_window.requestUpdate() : finish();
            },
            Qt::QueuedConnection);
    return false;
}

void FrameWait::stop()
{
    if (m_finishing)
        return;
    m_finishing = true;
    m_window.removeEventFilter(this);
    // Out of the window's children at once, so that a wait is found only while it runs.
    setParent(nullptr);
    deleteLater();
}

void FrameWait::finish()
{
    if (m_finishing)
        return;
    const std::function<void()> then = std::move(m_then);
    stop();
    then();
}
