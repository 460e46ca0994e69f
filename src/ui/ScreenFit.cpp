#include "ScreenFit.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The frame of the window framed last: the best guess for one not yet framed.
QMargins lastFrame;

QPoint offset(QMargins frame)
{
    return {frame.left(), frame.top()};
}

} // namespace

ScreenFit::ScreenFit(QWidget &window)
    : QObject(&window)
    , m_window(window)
{
    setObjectName(QStringLiteral("screenFit"));
    window.installEventFilter(this);
}

ScreenFit &ScreenFit::of(QWidget &window)
{
    if (auto *fit =
            window.findChild<ScreenFit *>(QStringLiteral("screenFit"), Qt::FindDirectChildrenOnly))
        return *fit;
    return *new ScreenFit(window);
}

void ScreenFit::openAt(QPoint outerCorner)
{
    m_asked = outerCorner;
    m_window.move(outerCorner);
}

void ScreenFit::keepOuterSize(QSize outer)
{
    m_outerSize = outer;
    m_window.setFixedSize(clientSize(m_frame.value_or(lastFrame)));
}

QSize ScreenFit::clientSize(QMargins frame) const
{
    return m_outerSize ? m_outerSize->shrunkBy(frame) : m_window.size();
}

QPoint ScreenFit::fitted(const QRect &outer, const QRect &area)
{
    const int left =
        std::max(std::min(outer.left(), area.right() + 1 - outer.width()), area.left());
    const int top = std::max(std::min(outer.top(), area.bottom() + 1 - outer.height()), area.top());
    return {left, top};
}

QMargins ScreenFit::knownFrame(const QWindow &window)
{
    const QMargins frame = window.frameMargins();
    const bool plausible =
        frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
    return plausible ? frame : QMargins();
}

void ScreenFit::keepWhole(QWidget &window)
{
    if (!window.isVisible() || !window.screen())
        return;
    const QRect outer = window.frameGeometry();
    const QRect area = window.screen()->availableGeometry();
    if (!area.contains(outer))
        window.move(fitted(outer, area));
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Show)
        place();
    // The frame is known once the window manager has framed the window, which it reports
    // by moving it or by the first expose, not always at once: it is read after them.
    const bool framing = (watched == &m_window && event->type() == QEvent::Move)
                         || (watched == m_watchedHandle && event->type() == QEvent::Expose);
    if (framing && m_window.isVisible() && !m_checkQueued) {
        m_checkQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_checkQueued = false;
                checkFrame();
            },
            Qt::QueuedConnection);
    }
    return false;
}

void ScreenFit::place()
{
    QWindow *handle = m_window.windowHandle();
    if (handle && handle != m_watchedHandle) {
        handle->installEventFilter(this);
        m_watchedHandle = handle;
    }
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = m_window.screen();
    m_area = screen ? screen->availableGeometry() : QRect();
    // The toolkit forgets the frame of a hidden window (it stays the same), and learns it only
    // once the window manager has framed the window anew.
    const QMargins known = handle ? knownFrame(*handle) : QMargins();
    if (!known.isNull())
        m_frame = lastFrame = known;
    const QMargins frame = m_frame.value_or(lastFrame);
    QPoint corner = m_window.geometry().topLeft() - offset(frame);
    if (m_asked)
        corner = *m_asked;
    else if (!m_shownBefore && !m_window.testAttribute(Qt::WA_Moved))
        corner = m_area.center() - QRect(QPoint(), clientSize(frame).grownBy(frame)).center();
    m_asked.reset();
    m_shownBefore = true;
    putOuter(corner, frame);
}

void ScreenFit::checkFrame()
{
    const QWindow *handle = m_window.windowHandle();
    if (!handle || !m_window.isVisible())
        return;
    const QMargins frame = knownFrame(*handle);
    if (frame.isNull() || frame == m_frame)
        return;
    m_frame = frame;
    lastFrame = frame;
    putOuter(m_corner, frame);
}

void ScreenFit::putOuter(QPoint corner, QMargins frame)
{
    const QSize client = clientSize(frame);
    if (m_outerSize)
        m_window.setFixedSize(client);
    if (!m_area.isEmpty())
        corner = fitted(QRect(corner, client.grownBy(frame)), m_area);
    m_corner = corner;
    m_window.setGeometry(QRect(corner + offset(frame), client));
}
