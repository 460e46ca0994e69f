#pragma once

#include <QIcon>

// The launcher's own 16 × 16 notification-area icon, drawn rather than shipped.
QIcon trayIconImage();
