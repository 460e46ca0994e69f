#include "WindowMove.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

WindowMove::WindowMove(QWidget &window, WindowFrame &frame)
    : QObject(&window)
    , m_drag(window, frame)
{
}

void WindowMove::press(const QMouseEvent &event)
{
    m_drag.press(event);
}

void WindowMove::move(const QMouseEvent &event)
{
    if (m_drag.move(event))
        m_systemMove = true;
}

void WindowMove::release()
{
    m_drag.release();
    if (!m_systemMove)
        return;
    // A release that comes before the window manager has taken the pointer is no end of its
    // move: the move still begins, takes the focus, and gives it back when it ends, which
    // ends the move for us. Only a move that never took the focus ends here.
    QTimer::singleShot(500, this, [this] {
        if (QGuiApplication::applicationState() == Qt::ApplicationActive)
            m_systemMove = false;
    });
}
