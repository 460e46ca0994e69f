#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

QPoint atPointer(QPoint pointer, QSize window, const std::optional<QRect> &workArea)
{
    int top = std::max(pointer.y() - 10, 0);
    int left = std::max(pointer.x() - 10, 0);
    if (workArea) {
        const int right = workArea->x() + workArea->width();
        const int bottom = workArea->y() + workArea->height();
        if (bottom < top + window.height())
            top = bottom - window.height();
        if (right < left + window.width())
            left = right - window.width();
    }
    return {left, top};
}

QPoint clientAtPointer(QPoint pointer, QSize client, QMargins frame)
{
    std::optional<QRect> workArea;
    if (const QScreen *screen = QGuiApplication::screenAt(pointer))
        workArea = screen->availableGeometry();
    return atPointer(pointer, client.grownBy(frame), workArea) + QPoint(frame.left(), frame.top());
}

QMargins frameOf(const QWidget &window)
{
    const QRect client = window.geometry();
    const QRect frame = window.frameGeometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace WindowPlacement
