# Shared steps of the end-to-end tests: a private X server with a window manager, the real
# program copied into a fresh folder, and cleanup of every process by its PID.
# Each test runs inside its own dbus-run-session (see CMakeLists.txt).
set -euo pipefail

PROGRAM=${1:?usage: test.sh path/to/tblaunch}
WORK=$(mktemp -d)
PIDS=()
LAUNCHER_PID=

cleanup() {
  local p
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls a command until it succeeds, for at most $1 seconds.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

start_display() {
  local fd pid number
  exec {fd}< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!")
  read -r pid <&"$fd"
  PIDS+=("$pid")
  read -r number <&"$fd"
  export DISPLAY=":$number"
  local attempt
  for attempt in 1 2; do
    openbox --sm-disable >>"$WORK/openbox.log" 2>&1 &
    PIDS+=("$!")
    wait_until 10 wm_running && return 0
  done
  fail "window manager did not start: $(cat "$WORK/openbox.log")"
}

wm_running() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

# A notification area at the screen's top left corner; its first icon sits at about (11, 11).
start_tray() {
  trayer --edge top --align left --widthtype pixel --width 200 --height 24 \
    --SetDockType true >/dev/null 2>&1 &
  PIDS+=("$!")
  wait_until 10 tray_up || fail "no notification area"
}

tray_up() {
  xdotool search --class trayer >/dev/null 2>&1
}

# Writes a file in Shift-JIS with CR LF line ends: sjis_file PATH LINE...
sjis_file() {
  local path=$1
  shift
  mkdir -p "$(dirname "$path")"
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$path"
}

# A script that writes its arguments, one a line, to $WORK/marker: a target to launch.
marker_script() {
  mkdir -p "$WORK/bin"
  printf '#!/bin/sh\nprintf '"'"'%%s\\n'"'"' "$@" > "%s/marker"\n' "$WORK" > "$WORK/bin/marker.sh"
  chmod +x "$WORK/bin/marker.sh"
}

# Sets X and Y to the window's client area on the screen (xdotool adds the frame's border).
window_origin() {
  X=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $NF}')
  Y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $NF}')
}

launcher_window() {
  xdotool search --onlyvisible --name "^tobio's launcher\$" 2>/dev/null | head -n 1
}

launcher_shown() {
  [ -n "$(launcher_window)" ]
}

launcher_hidden() {
  ! launcher_shown
}

# Another program to turn to, at (600, 400): sets OTHER to its window; what is typed into it
# is written to $WORK/other.log.
start_other() {
  xev -name other -geometry 300x200+600+400 >"$WORK/other.log" 2>&1 &
  PIDS+=("$!")
  wait_until 10 find_other || fail "the other program did not appear"
}

# A search fails now and then on a window that goes while it is read.
find_other() {
  OTHER=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -n 1 || true)
  [ -n "$OTHER" ]
}

# Activates the other program, which hides the launcher.
turn_away() {
  xdotool windowactivate "$OTHER" >/dev/null 2>&1 || true
  wait_until 10 launcher_hidden || fail "the launcher did not hide"
}

focused_on_launcher() {
  local focus
  focus=$(xdotool getwindowfocus 2>/dev/null) || return 1
  [ "$focus" = "$WINDOW" ]
}

start_launcher() {
  cp "$PROGRAM" "$(dirname "$PROGRAM")/tblaunch-applications" "$WORK/"
  (cd "$WORK" && exec ./tblaunch) >"$WORK/launcher.log" 2>&1 &
  LAUNCHER_PID=$!
  PIDS+=("$LAUNCHER_PID")
  wait_until 15 launcher_shown || fail "the launcher window did not appear"
  WINDOW=$(launcher_window)
  xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || xdotool windowfocus "$WINDOW"
}

type_text() {
  xdotool type --delay 15 -- "$1"
}

key() {
  xdotool key --delay 15 "$@"
}

clipboard() {
  xclip -o -selection clipboard 2>/dev/null || true
}

# The input line's text, copied through the clipboard. A marker character is typed first,
# so an empty line reads as the marker alone; it is taken off again afterwards.
input_text() {
  type_text '#'
  key ctrl+a ctrl+c
  local text
  wait_until 5 sh -c 'xclip -o -selection clipboard 2>/dev/null | grep -q "#\$"' || true
  text=$(clipboard)
  key End BackSpace
  printf '%s' "${text%#}"
}

# The colour of a screen pixel as RRGGBB (upper-case hexadecimal).
pixel() {
  import -window root "$WORK/screen.png" 2>/dev/null
  convert "$WORK/screen.png" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6
}

# The first shown window titled exactly so; whether one is shown; whether none is.
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [ -n "$(named "$1")" ]; }
gone() { ! shown "$1"; }

# A menu is one more shown top-level window of the program.
windows() { xdotool search --onlyvisible --pid "$LAUNCHER_PID" 2>/dev/null | wc -l; }
more_windows() { [ "$(windows)" -gt "$1" ]; }

# Opens the main window's menu by a right click near client (170, 25) and presses the keys.
# Each click lands on a new spot (one where a menu has just closed, with no motion since,
# goes unseen); a click the window missed is tried again, as a user would.
main_menu() {
  local before attempt
  for attempt in 1 2 3; do
    before=$(windows)
    xdotool mousemove $((X + 170 + RANDOM % 20)) $((Y + 25 + RANDOM % 5)) click 3
    if wait_until 2 more_windows "$before"; then
      key "$@"
      return 0
    fi
  done
  fail "no menu"
}

# The registration dialog's window, once it shows.
registration_dialog() { xdotool search --onlyvisible --name '^登録画面$' 2>/dev/null | head -n 1; }
registration_shown() { [ -n "$(registration_dialog)" ]; }

# "/new" and Enter in the input line; the dialog's window id in DIALOG, activated.
open_new_registration() {
  type_text "/new"
  key Return
  wait_until 10 registration_shown || fail "/new did not open the registration dialog"
  DIALOG=$(registration_dialog)
  xdotool windowactivate --sync "$DIALOG" >/dev/null 2>&1 || true
}

# OK in the registration dialog, its notice answered, the dialog closed.
confirm_registration() {
  xdotool mousemove --window "$DIALOG" 188 238 click 1
  wait_until 10 notice_shown || fail "no notice after registering"
  key Return
  wait_until 10 registration_gone || fail "the dialog did not close"
}
notice_shown() { xdotool search --onlyvisible --name '^tblaunch$' >/dev/null 2>&1; }
registration_gone() { ! registration_shown; }

# A part of the launcher's window of this role ("label", "combo box") reads exactly this,
# through the accessibility bus; what the window reads is kept in $WORK/accessible.txt.
accessible_reads() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/accessible.py" "$LAUNCHER_PID" \
    >"$WORK/accessible.txt" 2>&1
  grep -qP "\t$1\t\Q$2\E$" "$WORK/accessible.txt"
}
description_is() { accessible_reads label "$1"; }
expect_description() {
  wait_until 15 description_is "$1" \
    || fail "no description '$1'; the window reads: $(cut -f2- "$WORK/accessible.txt" | tr '\n' '|')"
}

launcher_ended() { ! kill -0 "$LAUNCHER_PID" 2>/dev/null; }

# Types "/exit" and Enter into the input line and waits for the program to end.
exit_launcher() {
  type_text "/exit"
  key Return
  wait_until 10 launcher_ended || fail "/exit did not end the program"
}

screenshot() {
  import -window root "$1" 2>/dev/null || true
}

# A private ibus for this session (a real input method: Anthy, or the plain keyboard engine),
# with a home of its own for its files, Anthy's settings and the services they start on the
# session bus (Anthy's lock file still goes to ~/.anthy). The programs started afterwards use it.
start_ibus() {
  # The Anthy engine is a Python program for the system's own python3.
  export PATH=/usr/bin:$PATH
  export HOME="$WORK/home" IBUS_ADDRESS="unix:path=$WORK/ibus.socket"
  mkdir -p "$HOME"
  dbus-update-activation-environment HOME
  ibus-daemon --single --panel=disable --emoji-extension=disable --address="$IBUS_ADDRESS" \
    >"$WORK/ibus.log" 2>&1 &
  PIDS+=("$!")
  export QT_IM_MODULE=ibus
}

# "ibus engine NAME" exits with 1 even when it switched, so the switch is read back.
engine_is() {
  ibus engine "$1" >/dev/null 2>&1 || true
  [ "$(ibus engine 2>/dev/null)" = "$1" ]
}

use_engine() {
  wait_until 10 engine_is "$1" || fail "ibus did not switch to the $1 engine: $(cat "$WORK/ibus.log")"
}

# The line's text, read with the plain keyboard engine so the marker and the copy keys
# reach the line and not Anthy.
line_text() {
  use_engine xkb:us::eng
  input_text
}
