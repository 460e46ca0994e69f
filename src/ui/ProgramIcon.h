#pragma once

#include <QIcon>

// The launcher's own picture, drawn rather than shipped, at the sizes of a notification
// area and of a dialog: a prompt and a cursor, a line that takes commands.
QIcon programIcon();
