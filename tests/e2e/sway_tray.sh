#!/usr/bin/env bash
# On a Wayland desktop, the icon in the notification area is a StatusNotifierItem: it
# registers with the desktop's host, and activating it brings the hidden launcher back with
# the focus.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"

start_sway
start_watcher
portable_copy
start_wayland_launcher
wait_until 10 test -s "$WORK/items" || fail "the icon did not register: $(cat "$WORK/launcher.log")"
read -r sender service <"$WORK/items"
# An item names its bus name, or its object path on the sender's connection.
path=/StatusNotifierItem
if [[ $service == /* ]]; then path=$service service=$sender; fi

summon --hide
wait_until 5 absent "$LAUNCHER_PID" || fail "--hide left the launcher shown"
as_user dbus-send --session --print-reply --dest="$service" "$path" \
  org.kde.StatusNotifierItem.Activate int32:0 int32:0 >/dev/null || fail "the icon took no Activate"
wait_until 5 focused "$LAUNCHER_PID" || fail "activating the icon did not bring the launcher with \
the focus: $(launcher_windows)"
echo "PASS"
