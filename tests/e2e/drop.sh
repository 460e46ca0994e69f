#!/usr/bin/env bash
# A file dragged from another program's window and dropped on the launcher's input line
# (most of the window) is the window's: it opens the registration dialog with the file's
# name as the keyword and its whole path; while the window is locked on a keyword it is
# handed to that keyword's program. Nothing is typed into the line.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=${2:?usage: drop.sh tblaunch drag-source}

start_display
marker_script
sjis_file "$WORK/data/memo" "$WORK/bin/marker.sh" "memo" ""
sjis_file "$WORK/data.lst" memo
start_launcher
mkdir -p "$WORK/docs"
: >"$WORK/docs/Report.final.doc"
"$DRAG_SOURCE" "$WORK/docs/Report.final.doc" >/dev/null 2>&1 &
PIDS+=("$!")
wait_until 10 sh -c "xdotool search --onlyvisible --name '^drag source\$' >/dev/null 2>&1" \
  || fail "the drag source did not appear"

# Pressed in the source, moved in steps to the launcher's input line, released there.
drag_to_input_line() {
  window_origin "$WINDOW"
  xdotool mousemove 660 440 mousedown 1
  local step
  for step in 1 2 3 4 5 6; do
    xdotool mousemove $((660 + (X + 60 - 660) * step / 6)) $((440 + (Y + 10 - 440) * step / 6))
    sleep 0.05
  done
  xdotool mouseup 1
}

drag_to_input_line
wait_until 10 registration_shown || fail "the drop did not open the registration dialog"
DIALOG=$(registration_dialog)
xdotool windowactivate --sync "$DIALOG" >/dev/null 2>&1 || true
screenshot "$(dirname "$PROGRAM")/drop.png"

# The name field, then the path field, copied to the clipboard.
copy_field() {
  xdotool mousemove --window "$DIALOG" "$1" "$2" click 1
  key ctrl+a ctrl+c
}
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
copy_field 60 34
wait_until 5 clipboard_is "Report.final" || fail "name: '$(clipboard)'"
copy_field 60 74
wait_until 5 clipboard_is "$WORK/docs/Report.final.doc" || fail "path: '$(clipboard)'"

key Escape
wait_until 10 registration_gone || fail "the registration dialog did not close"
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
[ -z "$(input_text)" ] || fail "the drop was typed into the line: '$(input_text)'"

# Locked on memo, the drop goes to memo's program, unquoted, and the lock is released.
type_text "memo/lock"
key Return
drag_to_input_line
marked() { [ -s "$WORK/marker" ]; }
wait_until 10 marked || fail "the locked drop did not reach memo's program: '$(input_text)'"
[ "$(cat "$WORK/marker")" = "$WORK/docs/Report.final.doc" ] \
  || fail "memo's program got '$(cat "$WORK/marker")'"
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
[ -z "$(input_text)" ] || fail "the line after the locked drop: '$(input_text)'"
echo "PASS"
