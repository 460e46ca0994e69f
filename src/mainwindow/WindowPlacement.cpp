#include "WindowPlacement.h"

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

} // namespace WindowPlacement
