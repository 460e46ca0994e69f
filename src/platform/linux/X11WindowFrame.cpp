#include "X11WindowFrame.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <array>
#include <cstring>

void X11WindowFrame::setBorderOnly(QWindow &window)
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return; // offscreen, or not X11

    static constexpr char name[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    if (!atom)
        return;
    // flags: functions and decorations given; functions: all, resizing included;
    // decorations: the border alone (2). Window managers read a handle or title bit as a
    // wish for the whole frame.
    const std::array<uint32_t, 5> hints{1 | 2, 1, 2, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), atom->atom,
                        atom->atom, 32, hints.size(), hints.data());
    xcb_flush(connection);
    free(atom);
}
