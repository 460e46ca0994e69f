#include "SkinMarker.h"

#include "skins/SkinColours.h"

#include "base/Interaction.h"
#include "platform/WindowFrame.h"
#include "ui/AppContext.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QWindow>

SkinMarker::SkinMarker(AppContext &context)
    : MovableWindow(context, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setAutoFillBackground(true);
}

void SkinMarker::embedIn(QWidget &editor)
{
    setParent(&editor, Qt::Widget);
    setFocusPolicy(Qt::ClickFocus);
}

void SkinMarker::setFixedOuterSize(int width, int height)
{
    m_fixedOuter = {width, height};
    fitToFrame();
}

void SkinMarker::setOuterWidth(int outer)
{
    m_askedOuterWidth = outer;
    m_fittedClientWidth = -1;
    fitToFrame();
}

int SkinMarker::outerWidth() const
{
    const QMargins margins = frame();
    return width() == m_fittedClientWidth ? m_askedOuterWidth
                                          : width() + margins.left() + margins.right();
}

int SkinMarker::clientWidth() const
{
    const QMargins margins = frame();
    return width() == m_fittedClientWidth && m_askedOuterWidth > 0
               ? m_askedOuterWidth - margins.left() - margins.right()
               : width();
}

void SkinMarker::setClientWidth(int client)
{
    m_askedOuterWidth = 0;
    resize(client, height());
}

QMargins SkinMarker::frame() const
{
    const QWindow *handle = windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void SkinMarker::fitToFrame()
{
    const QMargins margins = frame();
    const int sides = margins.left() + margins.right();
    if (const int fixed = m_fixedOuter.height() - margins.top() - margins.bottom();
        m_fixedOuter.height() > 0 && (minimumHeight() != fixed || maximumHeight() != fixed))
        setFixedHeight(fixed);
    if (const int fixed = m_fixedOuter.width() - sides;
        m_fixedOuter.width() > 0 && (minimumWidth() != fixed || maximumWidth() != fixed)) {
        setFixedWidth(fixed);
    } else if (m_fixedOuter.width() <= 0 && m_askedOuterWidth > 0
               && (m_fittedClientWidth < 0 || width() == m_fittedClientWidth)) {
        if (width() != m_askedOuterWidth - sides)
            resize(m_askedOuterWidth - sides, height());
        m_fittedClientWidth = width();
    }
}

void SkinMarker::showEvent(QShowEvent *event)
{
    fitToFrame();
    // A window manager that keeps the client area where it was asked to be frames it without
    // moving it: the first exposure after the show is the first sight of the frame.
    if (QWindow *handle = windowHandle(); handle && !m_watchingExposure) {
        handle->installEventFilter(this);
        m_watchingExposure = true;
    }
    MovableWindow::showEvent(event);
}

bool SkinMarker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && m_watchingExposure) {
        watched->removeEventFilter(this);
        m_watchingExposure = false;
        fitToFrame();
    }
    return MovableWindow::eventFilter(watched, event);
}

void SkinMarker::moveEvent(QMoveEvent *event)
{
    // The toolkit now and then takes a marker the window manager is framing to be at the
    // screen's corner, where it is not; its place is what skin.ini is written from, and what
    // the arrow keys step from. What the display server says stands.
    if (event->spontaneous() && isWindow() && windowHandle()) {
        const std::optional<QPoint> actual = m_context.windowFrame.clientPosition(*windowHandle());
        if (actual && *actual != geometry().topLeft())
            return setGeometry(QRect(*actual, size()));
    }
    fitToFrame();
    MovableWindow::moveEvent(event);
}

void SkinMarker::keyPressEvent(QKeyEvent *event)
{
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Up:
        step = {0, -1};
        break;
    case Qt::Key_Down:
        step = {0, 1};
        break;
    case Qt::Key_Left:
        step = {-1, 0};
        break;
    case Qt::Key_Right:
        step = {1, 0};
        break;
    default:
        return MovableWindow::keyPressEvent(event);
    }
    move(pos() + step);
}

std::optional<quint32> SkinMarker::askColour()
{
    QColorDialog dialog(this);
    dialog.setObjectName(QStringLiteral("colourDialog"));
    dialog.setCurrentColor(SkinColours::toColor(m_lastColour, palette()));
    if (m_context.interaction.execModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    m_lastColour = SkinColours::fromColor(dialog.currentColor());
    return m_lastColour;
}

void SkinMarker::makeInert(QWidget &control)
{
    control.setEnabled(false);
    control.setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SkinMarker::paint(QWidget &control, int role, quint32 colour)
{
    QPalette palette = control.palette();
    const QColor painted = SkinColours::toColor(colour, palette);
    if (!painted.isValid())
        return;
    palette.setColor(QPalette::ColorRole(role), painted);
    control.setPalette(palette);
}
