#!/usr/bin/python3
# A stand-in for the freedesktop desktop portal's GlobalShortcuts interface on a private session
# bus: owns org.freedesktop.portal.Desktop, answers CreateSession, BindShortcuts, ListShortcuts and
# (version 2) ConfigureShortcuts through Request objects whose Response follows 10 ms later (or,
# for a method given to --hold, once the test says Answer), and behaves as a chosen desktop does
# (see --help). What a desktop binds is kept by the session's handle token for the mock's life, as
# a desktop keeps it across the program's restarts. Tests steer it and read what it was asked
# through test.MockPortal at /control: Activate(id, token) emits Activated and Deactivated on the
# last open session (an empty id: its first shortcut), EmitShortcutsChanged(trigger),
# SetBindAs(trigger) for later binds and ConfigureShortcuts, Answer() sends the held Responses,
# Pending() -> how many Responses are not sent yet,
# Stranger(signal) has another bus client fake the portal's Activated, ShortcutsChanged or
# Response and then emit Marker on /control, Calls() -> JSON of every call (Request.Close,
# Session.Close and the desktop's settings opened, "OpenSettings", among them), Quit(). Prints
# "ready" once the name is owned.
import argparse
import itertools
import json
import sys
import time

from gi.repository import Gio, GLib

DESKTOP = "/org/freedesktop/portal/desktop"
SHORTCUTS_IFACE = "org.freedesktop.portal.GlobalShortcuts"

SHORTCUTS_XML = """
<node><interface name="org.freedesktop.portal.GlobalShortcuts">
  <method name="CreateSession">
    <arg type="a{sv}" name="options" direction="in"/><arg type="o" name="handle" direction="out"/>
  </method>
  <method name="BindShortcuts">
    <arg type="o" name="session_handle" direction="in"/>
    <arg type="a(sa{sv})" name="shortcuts" direction="in"/>
    <arg type="s" name="parent_window" direction="in"/>
    <arg type="a{sv}" name="options" direction="in"/>
    <arg type="o" name="request_handle" direction="out"/>
  </method>
  <method name="ListShortcuts">
    <arg type="o" name="session_handle" direction="in"/>
    <arg type="a{sv}" name="options" direction="in"/>
    <arg type="o" name="request_handle" direction="out"/>
  </method>
  CONFIGURE
  <signal name="Activated">
    <arg type="o" name="session_handle"/><arg type="s" name="shortcut_id"/>
    <arg type="t" name="timestamp"/><arg type="a{sv}" name="options"/>
  </signal>
  <signal name="Deactivated">
    <arg type="o" name="session_handle"/><arg type="s" name="shortcut_id"/>
    <arg type="t" name="timestamp"/><arg type="a{sv}" name="options"/>
  </signal>
  <signal name="ShortcutsChanged">
    <arg type="o" name="session_handle"/><arg type="a(sa{sv})" name="shortcuts"/>
  </signal>
  <property name="version" type="u" access="read"/>
</interface></node>
"""
CONFIGURE_XML = """<method name="ConfigureShortcuts">
    <arg type="o" name="session_handle" direction="in"/>
    <arg type="s" name="parent_window" direction="in"/>
    <arg type="a{sv}" name="options" direction="in"/>
  </method>"""

OTHER_XML = """
<node>
  <interface name="org.freedesktop.portal.Settings">
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.freedesktop.host.portal.Registry">
    <method name="Register">
      <arg type="s" name="app_id" direction="in"/><arg type="a{sv}" name="options" direction="in"/>
    </method>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.freedesktop.portal.Request">
    <method name="Close"/>
    <signal name="Response">
      <arg type="u" name="response"/><arg type="a{sv}" name="results"/>
    </signal>
  </interface>
  <interface name="org.freedesktop.portal.Session">
    <method name="Close"/>
    <signal name="Closed"><arg type="a{sv}" name="details"/></signal>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="test.MockPortal">
    <method name="Activate">
      <arg type="s" name="shortcut_id" direction="in"/>
      <arg type="s" name="activation_token" direction="in"/>
    </method>
    <method name="EmitShortcutsChanged">
      <arg type="s" name="trigger_description" direction="in"/>
    </method>
    <method name="SetBindAs"><arg type="s" name="trigger_description" direction="in"/></method>
    <method name="Answer"/>
    <method name="Pending"><arg type="u" name="requests" direction="out"/></method>
    <method name="Stranger"><arg type="s" name="signal" direction="in"/></method>
    <signal name="Marker"/>
    <method name="Calls"><arg type="s" name="json" direction="out"/></method>
    <method name="Quit"/>
  </interface>
</node>
"""

parser = argparse.ArgumentParser(description="Stand-in GlobalShortcuts portal for tests")
parser.add_argument("--version", type=int, default=1, choices=(1, 2),
                    help="the interface's version; ConfigureShortcuts exists from 2")
parser.add_argument("--plasma", action="store_true",
                    help="as KDE Plasma 5.27: bind CreateSession's `shortcuts` option (a combination "
                         "another token holds is not given), and answer BindShortcuts by opening "
                         "the desktop's settings, binding nothing")
parser.add_argument("--bind-as", default="", metavar="TEXT",
                    help="the desktop binds this combination instead of the preferred trigger")
parser.add_argument("--refuse", action="store_true", help="BindShortcuts answers 1 (cancelled)")
parser.add_argument("--bind-nothing", action="store_true",
                    help="BindShortcuts answers 0 with an empty shortcuts list")
parser.add_argument("--session-handle-as-path", action="store_true",
                    help="CreateSession's session_handle is an object path (o), not a string")
parser.add_argument("--no-interface", action="store_true",
                    help="no GlobalShortcuts interface at all, as on sway or older GNOME")
parser.add_argument("--registry", action="store_true",
                    help="also serve org.freedesktop.host.portal.Registry")
parser.add_argument("--hold", action="append", default=[], metavar="METHOD",
                    help="this method's Response waits for Answer(), as a desktop's question does")
args = parser.parse_args()

other = {i.name: i for i in Gio.DBusNodeInfo.new_for_xml(OTHER_XML).interfaces}
shortcuts_info = Gio.DBusNodeInfo.new_for_xml(
    SHORTCUTS_XML.replace("CONFIGURE", CONFIGURE_XML if args.version >= 2 else "")).interfaces[0]

calls = []            # every call received, in order, as plain values for Calls()
sessions = {}         # session path -> its handle token
sessions_ids = {}     # session path -> its registration on the bus
kept = {}             # handle token -> what the desktop bound for it [(id, {description, trigger})]
pending = {}          # request path -> its Response, while it is not sent
held = []             # request paths whose Response waits for Answer()
stranger = None       # another client on the bus, for Stranger()
callers = set()       # senders that called the portal, who may no longer register an app id
bind_as = args.bind_as
serial = itertools.count(1)
connection = None
loop = GLib.MainLoop()


def plain(value):
    """A GLib value unpacked into what json can write."""
    if isinstance(value, GLib.Variant):
        value = value.unpack()
    if isinstance(value, dict):
        return {k: plain(v) for k, v in value.items()}
    if isinstance(value, (list, tuple)):
        return [plain(v) for v in value]
    return value


def guarded(handler):
    """A method handler that answers a fault in the mock with an error instead of silence."""
    def call(conn, sender, path, interface, method, params, invocation):
        try:
            handler(conn, sender, path, interface, method, params, invocation)
        except Exception as error:
            invocation.return_dbus_error("test.MockPortal.Error.Internal", repr(error))
            raise
    return call


def sender_element(sender):
    return sender.lstrip(":").replace(".", "_")


def token(options, key):
    return str(options.get(key, f"mock{next(serial)}"))


def shortcuts_value(bound):
    return [(sid, {k: GLib.Variant("s", v) for k, v in props.items()}) for sid, props in bound]


def shortcuts_result(bound):
    return {"shortcuts": GLib.Variant("a(sa{sv})", shortcuts_value(bound))}


def bind(requested):
    """What the desktop binds for requested [(id, {description, preferred_trigger})]."""
    return [(sid, {"description": str(props.get("description", "")),
                   "trigger_description": bind_as or str(props.get("preferred_trigger", ""))})
            for sid, props in requested]


def respond(sender, options, response, results, method=None):
    """Exports a Request object, answers with its path, and emits Response on it soon after (or
    on Answer() for a held method); Request.Close takes it back unanswered."""
    path = f"{DESKTOP}/request/{sender_element(sender)}/{token(options, 'handle_token')}"

    def close(conn, sender, path, interface, method, params, invocation):
        calls.append({"method": "Request.Close", "request": path})
        if path in pending:
            finish(path, False)
        invocation.return_value(None)
    rid = connection.register_object(path, other["org.freedesktop.portal.Request"], close,
                                     None, None)
    pending[path] = (rid, response, results)
    if method in args.hold:
        held.append(path)
    else:
        GLib.timeout_add(10, lambda: finish(path, True))
    return GLib.Variant("(o)", (path,))


def finish(path, answer):
    if path not in pending:
        return False
    rid, response, results = pending.pop(path)
    if answer:
        connection.emit_signal(None, path, "org.freedesktop.portal.Request", "Response",
                               GLib.Variant("(ua{sv})", (response, results)))
    connection.unregister_object(rid)
    return False


def open_session():
    if not sessions:
        raise KeyError("no open session")
    return list(sessions)[-1]


def change_triggers(path, text):
    name = sessions[path]
    kept[name] = [(sid, dict(props, trigger_description=text)) for sid, props in kept.get(name, [])]
    connection.emit_signal(None, DESKTOP, SHORTCUTS_IFACE, "ShortcutsChanged",
                           GLib.Variant("(oa(sa{sv}))", (path, shortcuts_value(kept[name]))))


def held_by_another(name, trigger):
    return any(other_name != name and props["trigger_description"] == trigger
               for other_name, bound in kept.items() for _, props in bound)


def restore(name, requested):
    """Plasma's CreateSession: the token's own keys where it has them, else the preferred ones
    unless another token holds them."""
    have = dict(kept.get(name, []))
    for sid, props in bind(requested):
        if sid not in have:
            trigger = props["trigger_description"]
            have[sid] = dict(props, trigger_description="" if held_by_another(name, trigger)
                             else trigger)
    kept[name] = list(have.items())


def session_call(conn, sender, path, interface, method, params, invocation):
    calls.append({"method": "Session.Close", "session": path})
    if path in sessions:
        del sessions[path]
        conn.unregister_object(sessions_ids.pop(path))
    invocation.return_value(None)


def shortcuts_call(conn, sender, path, interface, method, params, invocation):
    p = params.unpack()
    callers.add(sender)
    if method == "CreateSession":
        options = p[0]
        calls.append({"method": method, "options": plain(options)})
        name = token(options, "session_handle_token")
        session = f"{DESKTOP}/session/{sender_element(sender)}/{name}"
        if session in sessions:
            return invocation.return_dbus_error("org.freedesktop.portal.Error.Failed",
                                                "Session already exists")
        if args.plasma:
            restore(name, options.get("shortcuts", []))
        sessions[session] = name
        sessions_ids[session] = conn.register_object(
            session, other["org.freedesktop.portal.Session"], guarded(session_call),
            lambda *a: GLib.Variant("u", 1), None)
        handle = GLib.Variant("o" if args.session_handle_as_path else "s", session)
        return invocation.return_value(
            respond(sender, options, 0, {"session_handle": handle}, method))
    session, options = p[0], p[-1]
    entry = {"method": method, "session": session, "options": plain(options)}
    if method == "BindShortcuts":
        entry.update(shortcuts=plain(p[1]), parent_window=p[2])
    elif method == "ConfigureShortcuts":
        entry.update(parent_window=p[1])
    calls.append(entry)
    if session not in sessions:
        return invocation.return_dbus_error("org.freedesktop.DBus.Error.AccessDenied",
                                            "Invalid session")
    name = sessions[session]
    if method == "ConfigureShortcuts":
        calls.append({"method": "OpenSettings", "component": name})
        if bind_as and kept.get(name):
            change_triggers(session, bind_as)
        return invocation.return_value(None)
    if method == "ListShortcuts":
        return invocation.return_value(
            respond(sender, options, 0, shortcuts_result(kept.get(name, [])), method))
    if args.plasma:
        calls.append({"method": "OpenSettings", "component": name})
    elif args.refuse:
        return invocation.return_value(respond(sender, options, 1, {}, method))
    else:
        have = dict(kept.get(name, []))
        have.update(bind([] if args.bind_nothing else p[1]))
        kept[name] = list(have.items())
    invocation.return_value(respond(sender, options, 0, shortcuts_result(kept.get(name, [])),
                                    method))


def registry_call(conn, sender, path, interface, method, params, invocation):
    app_id, options = params.unpack()
    calls.append({"method": "Register", "app_id": app_id, "options": plain(options)})
    if sender in callers:     # once, and before any other portal call, as the frontend wants
        return invocation.return_dbus_error("org.freedesktop.portal.Error.Failed",
                                            "Connection already associated with an application ID")
    callers.add(sender)
    invocation.return_value(None)


def control_call(conn, sender, path, interface, method, params, invocation):
    global bind_as
    p = params.unpack()
    try:
        if method == "Activate":
            session = open_session()
            sid = p[0] or (kept.get(sessions[session]) or [("", None)])[0][0]
            options = {"activation_token": GLib.Variant("s", p[1])} if p[1] else {}
            stamp = int(time.monotonic() * 1000)
            for signal in ("Activated", "Deactivated"):
                conn.emit_signal(None, DESKTOP, SHORTCUTS_IFACE, signal,
                                 GLib.Variant("(osta{sv})", (session, sid, stamp, options)))
        elif method == "EmitShortcutsChanged":
            change_triggers(open_session(), p[0])
        elif method == "SetBindAs":
            bind_as = p[0]
        elif method == "Pending":
            return invocation.return_value(GLib.Variant("(u)", (len(pending),)))
        elif method == "Answer":
            for request in held:
                finish(request, True)
            held.clear()
        elif method == "Stranger":
            fake(p[0])
        elif method == "Calls":
            return invocation.return_value(GLib.Variant("(s)", (json.dumps(calls),)))
        elif method == "Quit":
            GLib.idle_add(loop.quit)
    except KeyError as error:
        return invocation.return_dbus_error("test.MockPortal.Error", str(error))
    invocation.return_value(None)


def fake(signal):
    """The portal's signal as another client sends it, then Marker from the same client: what
    arrives before the marker has been read."""
    global stranger
    if stranger is None:
        stranger = Gio.DBusConnection.new_for_address_sync(
            Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION),
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
    session = open_session()
    fake_bound = [("summon", {"description": "faked", "trigger_description": "Ctrl+Alt+Z"})]
    if signal == "Activated":
        stranger.emit_signal(None, DESKTOP, SHORTCUTS_IFACE, "Activated", GLib.Variant(
            "(osta{sv})", (session, "summon", 1, {"activation_token": GLib.Variant("s", "fake")})))
    elif signal == "ShortcutsChanged":
        stranger.emit_signal(None, DESKTOP, SHORTCUTS_IFACE, "ShortcutsChanged", GLib.Variant(
            "(oa(sa{sv}))", (session, shortcuts_value(fake_bound))))
    elif signal == "Response":
        for request in pending:
            stranger.emit_signal(None, request, "org.freedesktop.portal.Request", "Response",
                                 GLib.Variant("(ua{sv})", (0, shortcuts_result(fake_bound))))
    else:
        raise KeyError(f"no signal {signal}")
    stranger.emit_signal(None, "/control", "test.MockPortal", "Marker", None)
    stranger.flush_sync(None)


def desktop_property(conn, sender, path, interface, name):
    return GLib.Variant("u", args.version if interface == SHORTCUTS_IFACE else 1)


def acquired(conn, name):
    print("ready", flush=True)


def bus_acquired(conn, name):
    global connection
    connection = conn
    # The real frontend always has other interfaces here, so that reading GlobalShortcuts'
    # version where it is missing fails with InvalidArgs "No such interface" as it does there.
    conn.register_object(DESKTOP, other["org.freedesktop.portal.Settings"], None,
                         desktop_property, None)
    if not args.no_interface:
        conn.register_object(DESKTOP, shortcuts_info, guarded(shortcuts_call),
                             desktop_property, None)
    if args.registry:
        conn.register_object(DESKTOP, other["org.freedesktop.host.portal.Registry"],
                             guarded(registry_call), desktop_property, None)
    conn.register_object("/control", other["test.MockPortal"], guarded(control_call), None, None)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop",
                 Gio.BusNameOwnerFlags.NONE, bus_acquired, acquired, lambda *_: sys.exit(1))
loop.run()
