#!/usr/bin/env bash
# The global hotkey: with the launcher hidden behind another program, Ctrl+Alt+K brings it
# back at the pointer (10 pixels up and left) with the keyboard in its input line; with the
# hotkey switched off the combination does nothing and reaches the other program.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
sjis_file "$WORK/tblaunch.ini" '[hotkey]' 'key=Ctrl+Alt+K' '[Setting]' 'MousePoint=1'
start_launcher
start_other

turn_away
xdotool mousemove 400 300
key ctrl+alt+k
wait_until 5 launcher_shown || fail "the hotkey did not bring the launcher back"
wait_until 5 focused_on_launcher || fail "the launcher came without the focus"
window_origin "$WINDOW"
read -r left _ top _ < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
[ "$((X - ${left:-0}))" -eq 390 ] && [ "$((Y - ${top:-0}))" -eq 290 ] \
  || fail "the launcher came at ($((X - ${left:-0})), $((Y - ${top:-0}))), not at (390, 290)"
type_text "memo"
[ "$(input_text)" = "memo" ] || fail "typing after the hotkey did not reach the input line"

# Switched off, the combination is the other program's again.
key ctrl+a BackSpace
exit_launcher
sed -i 's/^MousePoint=1\r$/MousePoint=1\r\nHookHotKey=0\r/' "$WORK/tblaunch.ini"
grep -q 'HookHotKey=0' "$WORK/tblaunch.ini" || fail "could not switch the hotkey off"
start_launcher
turn_away
: >"$WORK/other.log"
key ctrl+alt+k
keys_seen() { grep -q 'keysym 0x6b, k' "$WORK/other.log"; }
wait_until 5 keys_seen || fail "the switched-off hotkey did not reach the other program"
launcher_hidden || fail "the switched-off hotkey brought the launcher back"
echo "PASS"
