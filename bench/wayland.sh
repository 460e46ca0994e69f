#!/usr/bin/env bash
# The launcher on a Wayland desktop (a headless sway, the end-to-end tests' steps), summoned
# by the desktop's shortcut Logo+Space bound to tblaunch-summon --show: the time from the
# press to the launcher having the focus, the summon command's own time, and the keys lost
# when typed 0 to 30 ms after the press, and the desktop's press of the launcher's own hotkey
# through a stand-in GlobalShortcuts portal to the focus (bench/wayland-rounds.py).
# Usage: bench/wayland.sh [build] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-100}

source "$root/tests/e2e/lib.sh" "$build/tblaunch"
source "$root/tests/e2e/sway.sh"
start_sway
portable_copy

# The accessibility bus, started here rather than on demand so that it ends by its PID; the
# registry it starts on demand is ended by its PID too.
as_user_bg /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/at-spi.log" 2>&1
a11y_address() {
  A11Y=$(as_user dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress 2>/dev/null | sed -n 's/.*string "\(.*\)"/\1/p')
  [ -n "$A11Y" ]
}
wait_until 10 a11y_address || fail "no accessibility bus: $(cat "$WORK/at-spi.log")"
as_user dbus-send --bus="$A11Y" --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.StartServiceByName string:org.a11y.atspi.Registry uint32:0 >/dev/null
PIDS+=("$(as_user dbus-send --bus="$A11Y" --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.atspi.Registry \
  | awk '/uint32/ { print $2 }')")

# A stand-in GlobalShortcuts portal, through which the launcher asks for its hotkey.
as_user_bg /usr/bin/python3 "$root/tests/platform/mock_portal.py" >"$WORK/portal.log" 2>&1
wait_until 10 grep -q ready "$WORK/portal.log" || fail "the portal did not start"
sjis_file "$WORK/tblaunch.ini" "[hotkey]" "key=Ctrl+Alt+K"

USER_ENV+=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
start_wayland_launcher
if ! as_user /usr/bin/python3 "$root/bench/wayland-rounds.py" "$WORK" "$LAUNCHER_PID" "$rounds"; then
  kill "$LAUNCHER_PID" 2>/dev/null || true
  status=0
  wait "$LAUNCHER_PID" || status=$?
  fail "the rounds stopped; the launcher's status $status (143: it still ran): \
$(tail -n 5 "$WORK/launcher.log")"
fi
