#include "WindowDrag.h"

#include "platform/WindowFrame.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDrag::WindowDrag(QWidget &window, WindowFrame &frame)
    : m_window(window)
    , m_frame(frame)
{
}

void WindowDrag::press(const QMouseEvent &event)
{
    if (event.button() == Qt::LeftButton)
        m_pressPoint = event.globalPosition().toPoint();
}

bool WindowDrag::move(const QMouseEvent &event)
{
    const QPoint pointer = event.globalPosition().toPoint();
    if (m_offset) {
        m_window.move(pointer - *m_offset);
        return false;
    }
    if (!m_pressPoint || !(event.buttons() & Qt::LeftButton)
        || (pointer - *m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        return false;
    const QPoint pressPoint = *m_pressPoint;
    m_pressPoint.reset();
    if (QWindow *window = m_window.windowHandle(); window && m_frame.startMove(*window, pressPoint))
        return true;
    m_offset = pressPoint - m_window.pos();
    m_window.move(pointer - *m_offset);
    return false;
}

void WindowDrag::release()
{
    m_pressPoint.reset();
    m_offset.reset();
}
