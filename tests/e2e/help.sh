#!/usr/bin/env bash
# "/help" and Enter opens tblaunch.chm beside the program through the desktop's handler for
# CHM files: a viewer's window comes up with the help's title. HELP_SCREENSHOT=<file> keeps
# a picture of the screen then.
source "$(dirname "$0")/lib.sh"

HELP="$(dirname "$PROGRAM")/tblaunch.chm"
[ -f "$HELP" ] || fail "no help file beside the program: $HELP"
# The viewer keeps its settings in the home folder; a fresh one for the run.
export HOME="$WORK/home"
mkdir -p "$HOME"

start_display
cp "$HELP" "$WORK/tblaunch.chm"
start_launcher

viewer_up() {
  VIEWER=$(xdotool search --onlyvisible --class xchm 2>/dev/null | head -n 1 || true)
  [ -n "$VIEWER" ]
}

type_text "/help"
key Return
wait_until 20 viewer_up || fail "no help viewer appeared: $(cat "$WORK/launcher.log")"
PIDS+=("$(xdotool getwindowpid "$VIEWER" 2>/dev/null)")

# The viewer names its window after the help's title once it has read the file. The window
# found first may be one it shows only while starting, so every window of its is looked at.
titled() {
  local window
  for window in $(xdotool search --onlyvisible --class xchm 2>/dev/null); do
    if [[ "$(xdotool getwindowname "$window" 2>/dev/null)" == *"tobio's launcher ヘルプ"* ]]; then
      VIEWER=$window
      return 0
    fi
  done
  return 1
}
wait_until 10 titled || fail "the viewer shows another title: $(xdotool getwindowname "$VIEWER" 2>/dev/null)"
pid=$(xdotool getwindowpid "$VIEWER")
PIDS+=("$pid")
opened=$(tr '\0' ' ' <"/proc/$pid/cmdline")
[[ "$opened" == *"$WORK/tblaunch.chm"* ]] || fail "the viewer opened something else: $opened"
[ -z "${HELP_SCREENSHOT:-}" ] || screenshot "$HELP_SCREENSHOT"

echo "PASS"
