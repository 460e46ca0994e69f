#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace WindowPlacement {

// Where the main window's outer corner goes when it comes at the pointer: 10 pixels up and
// left of it, not off the top or left of the screen, and then, where the work area is known,
// pulled back inside its right and bottom edges (a window larger than the work area is
// aligned to those edges).
QPoint atPointer(QPoint pointer, QSize window, const std::optional<QRect> &workArea);

// Where the client area of that size goes, inside its frame, when the window comes at the
// pointer on the screen the pointer is on.
QPoint clientAtPointer(QPoint pointer, QSize client, QMargins frame);

// The window manager's frame around a shown window's client area.
QMargins frameOf(const QWidget &window);

} // namespace WindowPlacement
