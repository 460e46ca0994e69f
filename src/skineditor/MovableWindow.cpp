#include "MovableWindow.h"

#include "platform/WindowFrame.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QMouseEvent>

MovableWindow::MovableWindow(AppContext &context, Qt::WindowFlags flags)
    : QWidget(nullptr, flags | Qt::CustomizeWindowHint)
    , m_context(context)
    , m_drag(*this, context.windowFrame)
{
}

void MovableWindow::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}

void MovableWindow::ensureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    setFont(FormDesign::font());
    buildContents();
    winId();
    m_context.windowFrame.setBorderOnly(*windowHandle());
}

void MovableWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_drag.press(*event);
}

void MovableWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_drag.move(*event);
}

void MovableWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_drag.release();
}
