#!/usr/bin/env bash
# A file dragged from another program's window and dropped on the launcher opens the
# registration dialog with the file's name as the keyword and its whole path.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=${2:?usage: drop.sh tblaunch drag-source}

start_display
start_launcher
mkdir -p "$WORK/docs"
: >"$WORK/docs/Report.final.doc"
"$DRAG_SOURCE" "$WORK/docs/Report.final.doc" >/dev/null 2>&1 &
PIDS+=("$!")
source_window() { xdotool search --onlyvisible --name '^drag source$' 2>/dev/null | head -n 1; }
wait_until 10 sh -c "xdotool search --onlyvisible --name '^drag source\$' >/dev/null 2>&1" \
  || fail "the drag source did not appear"

# Pressed in the source, moved in steps over the launcher's surface, released there.
window_origin "$WINDOW"
xdotool mousemove 660 440 mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove $((660 + (X + 175 - 660) * step / 6)) $((440 + (Y + 30 - 440) * step / 6))
  sleep 0.05
done
xdotool mouseup 1

dialog() { xdotool search --onlyvisible --name '^登録画面$' 2>/dev/null | head -n 1; }
dialog_shown() { [ -n "$(dialog)" ]; }
wait_until 10 dialog_shown || fail "the drop did not open the registration dialog"
DIALOG=$(dialog)
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
echo "PASS"
