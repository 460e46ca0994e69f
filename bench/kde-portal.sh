#!/usr/bin/env bash
# The launcher's own hotkey through the real KDE chain: KWin 5.27 on a virtual output, its
# kglobalaccel, xdg-desktop-portal with the KDE backend, all on a private session bus. The
# launcher asks for Ctrl+Alt+K through the GlobalShortcuts portal; each round hides it, has
# kglobalaccel invoke the shortcut (as a key press would), and takes the time to KWin saying
# the launcher's window is active (a KWin script's clientActivated, stamped in KWin), and says
# how often the portal opened System Settings (never, unasked).
# Needs kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde qtwayland5 (not installed by
# scripts/install-deps.sh: a benchmark only). Usage: dbus-run-session -- bench/kde-portal.sh
# [build] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-100}
for need in /usr/bin/kwin_wayland /usr/libexec/xdg-desktop-portal \
  /usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde; do
  [ -x "$need" ] || { echo "kde-portal: $need is missing (apt install kwin-wayland \
xdg-desktop-portal xdg-desktop-portal-kde qtwayland5)" >&2; exit 2; }
done

WORK=$(mktemp -d)
PIDS=()
# Every program on the bus, the services it started on demand included, by its PID.
bus_pids() {
  local name
  for name in $(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.ListNames 2>/dev/null | grep -o '"[^"]*"' | tr -d '"' | grep '^:'); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
      org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null \
      | awk '/uint32/ { print $2 }'
  done
}
cleanup() {
  for p in $(bus_pids); do [ "$p" = $$ ] || PIDS+=("$p"); done
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
wait_until() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.05; done
}

export XDG_RUNTIME_DIR=$WORK/run HOME=$WORK/home XDG_CURRENT_DESKTOP=KDE
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$WORK/app"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# A copy of KWin without the file capability it is installed with, which a container may not
# grant.
cp /usr/bin/kwin_wayland "$WORK/kwin_wayland"
QT_LOGGING_RULES='kwin_scripting.debug=true' "$WORK/kwin_wayland" --virtual --socket wayland-kde \
  --no-lockscreen >"$WORK/kwin.log" 2>&1 &
PIDS+=($!)
wait_until 20 test -S "$XDG_RUNTIME_DIR/wayland-kde" || { tail "$WORK/kwin.log"; exit 1; }
export WAYLAND_DISPLAY=wayland-kde
owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}
wait_until 20 owned org.kde.kglobalaccel || { echo "no kglobalaccel in KWin" >&2; exit 1; }

# portal-kde opens System Settings through xdg-open: a stand-in first on its PATH counts it.
mkdir -p "$WORK/stub"
printf '#!/bin/sh\necho "$*" >>"%s/xdg-open.log"\n' "$WORK" >"$WORK/stub/xdg-open"
chmod +x "$WORK/stub/xdg-open"
: >"$WORK/xdg-open.log"
PATH=$WORK/stub:$PATH QT_QPA_PLATFORM=wayland /usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde \
  >"$WORK/portal-kde.log" 2>&1 &
PIDS+=($!)
wait_until 20 owned org.freedesktop.impl.portal.desktop.kde || { tail "$WORK/portal-kde.log"; exit 1; }
/usr/libexec/xdg-desktop-portal -r >"$WORK/portal.log" 2>&1 &
PIDS+=($!)
wait_until 20 owned org.freedesktop.portal.Desktop || { tail "$WORK/portal.log"; exit 1; }

cat >"$WORK/focus.js" <<'JS'
workspace.clientActivated.connect(function(client) {
    if (client) print("FOCUS " + client.pid + " " + Date.now());
});
JS
dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
  org.kde.kwin.Scripting.loadScript "string:$WORK/focus.js" string:tblaunch-focus >/dev/null
dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start \
  >/dev/null

cp "$build/tblaunch" "$build/tblaunch-summon" "$build/tblaunch-applications" "$WORK/app/"
printf '[hotkey]\r\nkey=Ctrl+Alt+K\r\n' >"$WORK/app/tblaunch.ini"
(cd "$WORK/app" && exec ./tblaunch) >"$WORK/launcher.log" 2>&1 &
LAUNCHER=$!
PIDS+=($LAUNCHER)
component() {
  COMPONENT=$(dbus-send --session --print-reply --dest=org.kde.kglobalaccel /kglobalaccel \
    org.kde.KGlobalAccel.allComponents | grep -o '/component/tblaunch[0-9]*' | head -n 1)
  [ -n "$COMPONENT" ]
}
wait_until 20 component || { echo "the launcher's shortcut was not registered" >&2; exit 1; }

/usr/bin/python3 - "$WORK" "$LAUNCHER" "$COMPONENT" "$rounds" <<'PY'
import statistics, subprocess, sys, time
from gi.repository import Gio, GLib

work, pid, component, rounds = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
log = open(f"{work}/kwin.log", errors="replace")
log.seek(0, 2)

def focused_after(pressed, seconds=3):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for line in log.readlines():
            parts = line.split()
            if "FOCUS" in parts and parts[parts.index("FOCUS") + 1] == pid:
                return int(parts[parts.index("FOCUS") + 2]) - pressed
        time.sleep(0.002)
    return None

times, missed = [], 0
for _ in range(rounds):
    subprocess.run([f"{work}/app/tblaunch-summon", "--hide"], check=True)
    time.sleep(0.15)
    log.readlines()
    pressed = int(time.time() * 1000)
    bus.call_sync("org.kde.kglobalaccel", component, "org.kde.kglobalaccel.Component",
                  "invokeShortcut", GLib.Variant("(s)", ("summon",)), None,
                  Gio.DBusCallFlags.NONE, -1, None)
    took = focused_after(pressed)
    if took is None:
        missed += 1
    else:
        times.append(took)
print(f"{rounds} rounds: kglobalaccel invokeShortcut -> launcher active (KWin), ms: "
      f"median {statistics.median(times):.0f}, worst {max(times)}"
      + (f", {missed} rounds without focus" if missed else ""))
PY
echo "component $COMPONENT; System Settings opened $(wc -l <"$WORK/xdg-open.log") times"
