#!/bin/bash
# Checks the stand-in GlobalShortcuts portal (mock_portal.py) with gdbus, one desktop's way at a
# time. Run on a private bus:  dbus-run-session -- bash tests/platform/mock_portal_selftest.sh
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
NAME=org.freedesktop.portal.Desktop
DESKTOP=/org/freedesktop/portal/desktop
IFACE=org.freedesktop.portal.GlobalShortcuts
MOCK= MONITOR= FAILED=0 CASE=

cleanup() {
    for pid in $MONITOR $MOCK; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    MOCK= MONITOR=
}
trap 'cleanup; rm -rf "$WORK"' EXIT

fail() { echo "FAIL [$CASE] $*"; FAILED=1; }

# wait_for FILE PATTERN: waits up to 5 s for an extended regular expression to appear in FILE.
wait_for() {
    for _ in $(seq 100); do grep -Eq -- "$2" "$1" 2>/dev/null && return 0; sleep 0.05; done
    fail "no \"$2\" in $(basename "$1"):"; sed 's/^/    /' "$1"; return 1
}

# start CASE OPTIONS...: the mock with these options, and a monitor of its signals.
start() {
    cleanup
    CASE=$1; shift
    : > "$WORK/out"; : > "$WORK/signals"
    /usr/bin/python3 "$HERE/mock_portal.py" "$@" > "$WORK/out" & MOCK=$!
    wait_for "$WORK/out" '^ready$' || return 1
    gdbus monitor --session --dest $NAME > "$WORK/signals" & MONITOR=$!
    wait_for "$WORK/signals" 'is owned by'
}

portal() { gdbus call --session -d $NAME -o $DESKTOP -m "$IFACE.$1" "${@:2}"; }
control() { gdbus call --session -d $NAME -o /control -m "test.MockPortal.$1" "${@:2}"; }
version() { gdbus call --session -d $NAME -o $DESKTOP -m org.freedesktop.DBus.Properties.Get $IFACE version; }
register() { gdbus call --session -d $NAME -o $DESKTOP -m org.freedesktop.host.portal.Registry.Register "$1" "{}"; }

# session TOKEN [OPTIONS]: creates a session and sets SESSION to its path from the Response.
session() {
    portal CreateSession "{'handle_token': <'c$1'>, 'session_handle_token': <'$1'>${2:-}}" > /dev/null
    wait_for "$WORK/signals" "/c$1: org.freedesktop.portal.Request.Response \(uint32 0" || return 1
    SESSION=$(grep -o "$DESKTOP/session/[0-9_]*/$1" "$WORK/signals" | head -1)
}

TOGGLE="('toggle', {'description': <'Show the launcher'>, 'preferred_trigger': <'CTRL+ALT+space'>})"
# The Response (as gdbus monitor writes it) of a bind of TOGGLE, bound as given.
BOUND="Response \(uint32 0, \{'shortcuts': <\[\('toggle', \{'description': <'Show the launcher'>, "
BOUND+="'trigger_description': <'CTRL\+ALT\+space'>\}\)\]>\}\)"
OTHER="('other', {'description': <'Something else'>, 'preferred_trigger': <'CTRL+F1'>})"

# bind TOKEN SHORTCUTS: BindShortcuts on SESSION; the Response is awaited by the caller.
bind() { portal BindShortcuts "$SESSION" "[$2]" "" "{'handle_token': <'$1'>}" > /dev/null; }

start "the interface's way"
session s1 ", 'shortcuts': <[$OTHER]>"
grep -q "{'session_handle': <'$DESKTOP/session/" "$WORK/signals" || fail "session_handle not a string"
bind b1 "$TOGGLE"
wait_for "$WORK/signals" "/b1: .*$BOUND"
control SetBindAs "Meta+J" > /dev/null
bind b2 "$TOGGLE"
wait_for "$WORK/signals" "/b2: .*Response \(uint32 0, .*'trigger_description': <'Meta\+J'>"
control SetBindAs "CTRL+ALT+space" > /dev/null
portal ListShortcuts "$SESSION" "{'handle_token': <'l1'>}" > /dev/null
wait_for "$WORK/signals" "/l1: .*Response \(uint32 0, \{'shortcuts': <\[\('toggle'"
[ "$(version)" = "(<uint32 1>,)" ] || fail "version not 1"
portal ConfigureShortcuts "$SESSION" "" "{}" 2>&1 | grep -q UnknownMethod || fail "ConfigureShortcuts in version 1"
register app 2>&1 | grep -q "No such interface" || fail "Register without --registry"
control Activate toggle "token-1" > /dev/null
wait_for "$WORK/signals" "Activated \(objectpath '$SESSION', 'toggle', uint64 [0-9]+, \{'activation_token': <'token-1'>\}\)"
wait_for "$WORK/signals" "Deactivated \(objectpath '$SESSION', 'toggle', uint64 [0-9]+, \{'activation_token': <'token-1'>\}\)"
control Activate "" "" > /dev/null
wait_for "$WORK/signals" "Activated \(objectpath '$SESSION', 'toggle', uint64 [0-9]+, @a\{sv\} \{\}\)"
control Calls | grep -q '"method": "BindShortcuts", "session": "'"$SESSION"'".*"shortcuts": \[\["toggle", {"description": "Show the launcher", "preferred_trigger": "CTRL+ALT+space"}\]\]' ||
    fail "Calls: $(control Calls)"
gdbus call --session -d $NAME -o "$SESSION" -m org.freedesktop.portal.Session.Close > /dev/null
control Activate toggle "" 2>&1 | grep -q "no open session" || fail "session still open after Close"

start "Plasma's way" --plasma --session-handle-as-path --registry
# Register is answered once per connection: gdbus opens one a call, so a Python client calls twice.
/usr/bin/python3 -c '
import sys
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
register = lambda: bus.call_sync("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
    "org.freedesktop.host.portal.Registry", "Register", GLib.Variant("(sa{sv})", ("app.id", {})),
    None, 0, 5000)
register()
try:
    register()
    sys.exit("registered twice")
except GLib.Error as error:
    sys.exit(0 if "Failed" in error.message else error.message)
' || fail "Register"
session s1 ", 'shortcuts': <[$TOGGLE]>"
grep -q "{'session_handle': <objectpath '$DESKTOP/session/" "$WORK/signals" || fail "session_handle not a path"
portal ListShortcuts "$SESSION" "{'handle_token': <'l1'>}" > /dev/null
wait_for "$WORK/signals" "/l1: .*$BOUND"
bind b1 "$OTHER"
wait_for "$WORK/signals" "/b1: .*$BOUND"
control Calls | grep -q '"method": "OpenSettings", "component": "s1"' || fail "settings not opened"
control Calls | grep -q '"method": "Register", "app_id": "app.id"' || fail "app id not recorded"

start "a question held" --hold BindShortcuts
session s1
bind b1 "$TOGGLE"
REQUEST=$(portal BindShortcuts "$SESSION" "[$TOGGLE]" "" "{'handle_token': <'b2'>}" | grep -o "'[^']*'" | tr -d "'")
gdbus call --session -d $NAME -o "$REQUEST" -m org.freedesktop.portal.Request.Close > /dev/null
control Answer > /dev/null
wait_for "$WORK/signals" "/b1: .*$BOUND"
control Calls | grep -q '"method": "Request.Close"' || fail "Request.Close not recorded"
grep -q "/b2: .*Response" "$WORK/signals" && fail "a closed request answered"

start "a refusal" --refuse
session s1
bind b1 "$TOGGLE"
wait_for "$WORK/signals" "/b1: .*Response \(uint32 1, @a\{sv\} \{\}\)"

start "nothing bound" --bind-nothing
session s1
bind b1 "$TOGGLE"
wait_for "$WORK/signals" "/b1: .*Response \(uint32 0, \{'shortcuts': <@a\(sa\{sv\}\) \[\]>\}\)"

start "another combination" --bind-as "Meta+K"
session s1
bind b1 "$TOGGLE"
wait_for "$WORK/signals" "/b1: .*'trigger_description': <'Meta\+K'>"

start "version 2" --version 2
[ "$(version)" = "(<uint32 2>,)" ] || fail "version not 2"
session s1
bind b1 "$TOGGLE"
wait_for "$WORK/signals" "/b1: .*'trigger_description': <'CTRL\+ALT\+space'>"
control SetBindAs "Meta+J" > /dev/null
[ "$(portal ConfigureShortcuts "$SESSION" "" "{}")" = "()" ] || fail "ConfigureShortcuts"
wait_for "$WORK/signals" "ShortcutsChanged \(objectpath '$SESSION', \[\('toggle', \{'description': <'Show the launcher'>, 'trigger_description': <'Meta\+J'>\}\)\]\)"
control EmitShortcutsChanged "Alt+F2" > /dev/null
wait_for "$WORK/signals" "ShortcutsChanged \(objectpath '$SESSION', \[\('toggle', .*'trigger_description': <'Alt\+F2'>"

start "no GlobalShortcuts" --no-interface
version 2>&1 | grep -q "InvalidArgs: No such interface" || fail "version readable"
portal CreateSession "{}" 2>&1 | grep -q "UnknownMethod" || fail "CreateSession answered"

start "quitting"
control Quit > /dev/null
wait "$MOCK" || fail "exit status $?"
MOCK=

cleanup
[ $FAILED = 0 ] && echo "mock portal: all cases pass"
exit $FAILED
