#include "X11WindowFrame.h"

#include <QGuiApplication>
#include <QPoint>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeDeleter
{
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t *x11Connection()
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : XCB_NONE;
}

// Whether the window manager says it supports the hint, in _NET_SUPPORTED on the root.
bool supported(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t hint)
{
    const xcb_atom_t list = atom(connection, "_NET_SUPPORTED");
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, list, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, hint) != atoms + count;
}

} // namespace

void X11WindowFrame::setBorderOnly(QWindow &window)
{
    xcb_connection_t *connection = x11Connection();
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

bool X11WindowFrame::startMove(QWindow &window, QPoint pressPoint)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t moveResize = atom(connection, "_NET_WM_MOVERESIZE");
    if (moveResize == XCB_NONE || !supported(connection, root, moveResize))
        return false;
    // The button's implicit grab is ours until given up; the window manager takes it next.
    xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    const QPoint point = pressPoint * window.devicePixelRatio();
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window.winId());
    message.type = moveResize;
    message.data.data32[0] = uint32_t(point.x());
    message.data.data32[1] = uint32_t(point.y());
    message.data.data32[2] = 8; // _NET_WM_MOVERESIZE_MOVE
    message.data.data32[3] = 1; // the left button
    message.data.data32[4] = 1; // asked by an application
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    return true;
}

std::optional<QPoint> X11WindowFrame::clientPosition(const QWindow &window) const
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window.handle())
        return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const XcbReply<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, xcb_window_t(window.winId()), root, 0, 0),
        nullptr));
    if (!reply)
        return std::nullopt;
    return QPoint(reply->dst_x, reply->dst_y);
}
