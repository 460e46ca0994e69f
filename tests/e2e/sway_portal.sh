#!/usr/bin/env bash
# On a Wayland desktop with the GlobalShortcuts portal, the settings' hotkey is asked of the
# desktop, and the desktop's press (Activated) brings the hidden launcher back with the focus,
# with a token or without.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"

start_sway
as_user_bg /usr/bin/python3 "$(dirname "$0")/../platform/mock_portal.py" --registry \
  >"$WORK/portal.log" 2>&1
wait_until 10 grep -q ready "$WORK/portal.log" || fail "the portal did not start"
portal() {
  as_user dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop /control \
    "test.MockPortal.$1" "${@:2}"
}
portable_copy
sjis_file "$WORK/tblaunch.ini" "[hotkey]" "key=Ctrl+Alt+K"
start_wayland_launcher

bound() { portal Calls | grep -q 'BindShortcuts.*CTRL+ALT+k'; }
wait_until 10 bound || fail "the hotkey was not asked of the desktop: $(portal Calls)"
portal Calls | grep -q '"app_id": *"example.tobio.tblaunch"' || fail "the app id was not registered"

for token in "" made-up-token; do
  summon --hide
  wait_until 5 absent "$LAUNCHER_PID" || fail "--hide left the launcher shown"
  portal Activate string:summon string:"$token" >/dev/null || fail "the portal could not press"
  wait_until 5 focused "$LAUNCHER_PID" || fail "the desktop's press (token '$token') did not \
bring the launcher with the focus: $(launcher_windows; cat "$WORK/launcher.log")"
done
echo "PASS"
