#!/usr/bin/env bash
# Dragging the window by its bare surface moves it, and it stays shown and focused even with
# a notification area to hide into; so does a mere click there, or a drag over in an instant.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
start_launcher
wait_until 5 focused_on_launcher || fail "the launcher has no focus to begin with"
window_origin "$WINDOW"
X0=$X Y0=$Y

# Client (155, 30) lies between the input line (0..152) and the icon (157..188).
xdotool mousemove $((X0 + 155)) $((Y0 + 30)) mousedown 1
for step in 1 2 3 4 5; do
  sleep 0.05
  xdotool mousemove $((X0 + 155 + 20 * step)) $((Y0 + 30 + 16 * step))
done
xdotool mouseup 1

moved() {
  window_origin "$WINDOW"
  launcher_shown && [ "$X" -eq $((X0 + 100)) ] && [ "$Y" -eq $((Y0 + 80)) ] && focused_on_launcher
}
shown_or_hidden() { launcher_shown && echo shown || echo hidden; }
wait_until 5 moved || fail "dragged from ($X0, $Y0) by (100, 80), the window is $(shown_or_hidden)" \
  "at ($X, $Y) with the focus on $(xdotool getwindowfocus), not on $WINDOW"

# A click, and a press, moves and release sent at once: the window manager's move, if it
# starts at all, starts after the release; the window must not take it for another program.
window_origin "$WINDOW"
xdotool mousemove $((X + 155)) $((Y + 30)) click 1
xdotool mousemove $((X + 156)) $((Y + 31)) mousedown 1 mousemove $((X + 250)) $((Y + 150)) \
  mousemove $((X + 300)) $((Y + 200)) mouseup 1
sleep 0.5 # what would hide the window comes within this time, if at all
launcher_shown || fail "a click or an instant drag on the bare surface hid the window"
echo "PASS"
