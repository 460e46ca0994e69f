#pragma once

#include <QIcon>

// The launcher's own picture, a key on blue as packaging/tblaunch.svg draws it, painted at
// the sizes of a notification area, a window's frame and a dialog.
QIcon programIcon();
