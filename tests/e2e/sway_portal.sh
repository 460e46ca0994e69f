#!/usr/bin/env bash
# On a Wayland desktop with the GlobalShortcuts portal, the settings' hotkey is asked of the
# desktop, and the desktop's press (Activated) brings the hidden launcher back with the focus,
# with a token or without. The next start opens its session under the same token (which KDE
# names the shortcut's owner after) and, the desktop holding the shortcut, asks it nothing more.
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
calls() { portal Calls | grep -o "\"method\": \"$1\"" | wc -l; }
portal Calls | grep -q '"session_handle_token": "tblaunch"' || fail "no stable session token: $(portal Calls)"
wtype_keys -s 300 /exit -s 100 -k Return
ended() { [[ "$(ps -o stat= -p "$LAUNCHER_PID")" != [^Z]* ]]; } # gone, or not yet waited for
wait_until 10 ended || fail "/exit did not end the launcher: $(ps -o stat=,args= -p "$LAUNCHER_PID"; launcher_windows; cat "$WORK/launcher.log")"
start_wayland_launcher
listed_again() { [ "$(calls ListShortcuts)" -ge 2 ]; }
wait_until 10 listed_again || fail "the next start did not ask what the desktop holds: $(portal Calls)"
[ "$(calls BindShortcuts)" = 1 ] || fail "the next start bound the shortcut again: $(portal Calls)"
[ "$(portal Calls | grep -o '"session_handle_token": "tblaunch"' | wc -l)" = 2 ] ||
  fail "the next start's session token differs: $(portal Calls)"
summon --hide
wait_until 5 absent "$LAUNCHER_PID" || fail "--hide left the launcher shown"
portal Activate string:summon string: >/dev/null || fail "the portal could not press"
wait_until 5 focused "$LAUNCHER_PID" || fail "the key did nothing after the restart"
echo "PASS"
