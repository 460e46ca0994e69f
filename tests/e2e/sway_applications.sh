#!/usr/bin/env bash
# On a Wayland desktop (headless sway): an installed application, reached by the beginning of
# its name and by the romaji of its Japanese name, is started by Enter with its Exec's
# arguments.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"

USER_ENV+=(XDG_DATA_HOME="$WORK/home-share" XDG_DATA_DIRS="$WORK/system-share" LANGUAGE=ja)
APPS="$WORK/home-share/applications"
mkdir -p "$APPS" "$WORK/system-share/applications"
# Each run's first argument, one a line.
mkdir -p "$WORK/bin"
printf '#!/bin/sh\necho "$1" >> "%s/runs"\necho "$1" > "%s/marker"\n' "$WORK" "$WORK" > "$WORK/bin/marker.sh"
chmod +x "$WORK/bin/marker.sh"
desktop_file() { # id name-lines argument
  printf '[Desktop Entry]\nType=Application\n%b\nExec=%s %s %%U\n' "$2" "$WORK/bin/marker.sh" "$3" \
    > "$APPS/$1.desktop"
}
desktop_file scribble 'Name=Scribble' scribble
desktop_file calc 'Name=Calculator\nName[ja]=電卓' calc
sjis_file "$WORK/data.lst" "memo"
sjis_file "$WORK/data/memo" "$WORK/bin/marker.sh" "" "memo"

start_sway
portable_copy
start_wayland_launcher

# The applications are read once the window is drawn: typed a moment (300 ms) after it was.
# One wtype process: its virtual keyboard going away takes the focus from the window.
wtype_keys -s 300 scri -k Return -s 300 dentaku -k Return
wait_until 10 test -s "$WORK/marker" || fail "nothing ran: $(cat "$WORK/launcher.log")"
wait_until 10 sh -c '[ "$(paste -sd, "$0")" = "scribble,calc" ]' "$WORK/runs" \
  || fail "ran: $(cat "$WORK/runs" 2>/dev/null)"
echo "PASS"
