#!/usr/bin/env bash
# The main window's life: a fresh folder gets its data, the window stands at its place,
# shows the clock when idle, hides when another program is used, comes back from the
# notification area, and "/exit" ends the program after saving its settings.
source "$(dirname "$0")/lib.sh"

start_display
start_tray

start_launcher
for f in data data.lst skin; do
  [ -e "$WORK/$f" ] || fail "start-up did not create $f"
done

# The window's outer frame stands at (254, 152).
window_origin "$WINDOW"
read -r left _ top _ < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
[ "$((X - ${left:-0}))" -eq 254 ] && [ "$((Y - ${top:-0}))" -eq 152 ] \
  || fail "window at ($X, $Y), frame extents ${left:-0} ${top:-0}"
screenshot "$(dirname "$PROGRAM")/lifecycle.png"

# Five idle seconds bring the clock: a date and a time with seconds.
# Read through the clipboard, the selection given up again at once: selected text would
# stop the clock until the next key.
clock_shown() {
  sleep 0.5
  focused_on_launcher || xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
  key ctrl+a ctrl+c End
  xclip -o -selection clipboard 2>/dev/null | grep -Eq '[0-9]+.*[0-9]{1,2}:[0-9]{2}:[0-9]{2}'
}
wait_until 12 clock_shown \
  || fail "no clock after five idle seconds: '$(clipboard)', focus $(xdotool getwindowfocus) on $WINDOW"

# Turning to another program hides the launcher.
start_other
turn_away

# A left click on the notification icon brings it back with the input line focused.
xdotool mousemove 11 11 click 1
wait_until 10 launcher_shown || fail "the tray icon did not bring the launcher back"
wait_until 10 focused_on_launcher || fail "the launcher has no focus"

key ctrl+a BackSpace
exit_launcher
ini=$(tr -d '\r' < "$WORK/tblaunch.ini")
for line in '[hotkey]' 'key=' '[Window]' 'DefaultSkin=1' 'SelectedSkinName='; do
  grep -qxF -- "$line" <<<"$ini" || fail "tblaunch.ini lacks '$line': $ini"
done

echo "PASS"
