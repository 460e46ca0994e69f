#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace WindowPlacement {

// Where the main window's outer corner goes when it comes at the pointer: 10 pixels up and
// left of it, not off the top or left of the screen, and then, where the work area is known,
// pulled back inside its right and bottom edges (a window larger than the work area is
// aligned to those edges).
QPoint atPointer(QPoint pointer, QSize window, const std::optional<QRect> &workArea);

} // namespace WindowPlacement
