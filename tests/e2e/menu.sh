#!/usr/bin/env bash
# A right click anywhere on the window opens the program's menu, except on the input line,
# which keeps its own edit menu. Up then Return picks a menu's last item: in the program's
# menu that ends the program, in the edit menu it selects all of the line's text.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
start_launcher
window_origin "$WINDOW"

# A right click where a menu has just closed, with no motion since, goes unseen: every click
# here lands on a new spot.
right_click() {
  local before
  before=$(windows)
  xdotool mousemove $((X + $1)) $((Y + $2)) click 3
  wait_until 3 more_windows "$before"
}

type_text "abc"
right_click 50 10 || fail "a right click on the input line opened no menu"
key Up Return
type_text "z"
text=$(input_text)
launcher_ended && fail "a right click on the input line opened the program's menu"
[ "$text" = z ] || fail "a right click on the input line opened no edit menu: '$text'"

FAULTS=()
program_menu() {
  if ! right_click "$2" "$3"; then
    FAULTS+=("a right click on the $1 opened no menu")
  elif key Up Return && wait_until 5 launcher_ended; then
    start_launcher
  else
    FAULTS+=("a right click on the $1 opened another menu than the program's")
    key Escape
  fi
}
program_menu icon 172 16
program_menu description 76 31
program_menu "bare surface" 155 30
[ ${#FAULTS[@]} -eq 0 ] || fail "$(printf '%s\n' "${FAULTS[@]}")"
echo "PASS"
