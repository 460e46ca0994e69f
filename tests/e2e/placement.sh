#!/usr/bin/env bash
# Windows the launcher opens lie wholly on the screen, frame included: summoned by the hotkey
# near the screen's bottom right corner, the keyword order window (opened below and right of
# the main window) and the registration dialog, each opened a number of times. With a
# notification area the window manager leaves a window where it asks to be, on screen or not.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
sjis_file "$WORK/tblaunch.ini" '[hotkey]' 'key=Ctrl+Alt+K' '[Setting]' 'MousePoint=1'
sjis_file "$WORK/data/memo" /usr/bin/true "" ""
sjis_file "$WORK/data.lst" memo
start_launcher
read -r SCREEN_W SCREEN_H < <(xdpyinfo | awk '/dimensions:/ {sub("x", " ", $2); print $2}')

# Fails unless the window's frame lies on the screen.
on_screen() {
  local what=$1 id=$2 width height left right top bottom
  window_origin "$id"
  width=$(xwininfo -id "$id" | awk '/^  Width/ {print $NF}')
  height=$(xwininfo -id "$id" | awk '/^  Height/ {print $NF}')
  read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  local x0=$((X - ${left:-0})) y0=$((Y - ${top:-0}))
  local x1=$((X + width + ${right:-0})) y1=$((Y + height + ${bottom:-0}))
  screenshot "$(dirname "$PROGRAM")/placement.png"
  [ "$x0" -ge 0 ] && [ "$y0" -ge 0 ] && [ "$x1" -le "$SCREEN_W" ] && [ "$y1" -le "$SCREEN_H" ] \
    || fail "$what lies at ($x0, $y0)-($x1, $y1), off the ${SCREEN_W}x$SCREEN_H screen"
}

framed() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; }
order() { xdotool search --onlyvisible --name '^登録キーワード保守$' 2>/dev/null | head -n 1; }
order_shown() { [ -n "$(order)" ]; }
gone() { ! "$1"; }

xdotool mousemove $((SCREEN_W - 8)) $((SCREEN_H - 8))
key ctrl+alt+k
wait_until 5 focused_on_launcher || fail "the hotkey did not bring the launcher"
window_origin "$WINDOW"
[ "$Y" -gt $((SCREEN_H - 100)) ] || fail "the launcher did not come near the bottom ($X, $Y)"

for round in 1 2 3 4 5 6; do
  xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
  type_text "/sort"
  key Return
  wait_until 10 order_shown || fail "/sort did not open the keyword order window"
  ORDER=$(order)
  wait_until 5 framed "$ORDER" || fail "the keyword order window was not framed"
  on_screen "the keyword order window (round $round)" "$ORDER"
  xdotool windowactivate --sync "$ORDER" >/dev/null 2>&1 || true
  key Escape
  wait_until 10 gone order_shown || fail "Esc did not close the keyword order window"

  xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
  open_new_registration
  wait_until 5 framed "$DIALOG" || fail "the registration dialog was not framed"
  on_screen "the registration dialog (round $round)" "$DIALOG"
  key Escape
  wait_until 10 gone registration_shown || fail "Esc did not close the registration dialog"
done
echo "PASS"
