#!/usr/bin/env bash
# One launcher per data folder: a second start while one runs brings that one forward and
# ends at once with status 0; after the first is killed outright, a new start runs.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
start_launcher
"$PROGRAM" --version | grep -q '^tblaunch [0-9.]*$' || fail "--version: $("$PROGRAM" --version)"

launcher_count() { xdotool search --onlyvisible --name "^tobio's launcher\$" 2>/dev/null | wc -l; }
start_other
turn_away
start=$(date +%s%N)
(cd "$WORK" && exec ./tblaunch) >>"$WORK/second.log" 2>&1
status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
[ "$status" -eq 0 ] || fail "the second start ended with status $status"
[ "$elapsed" -lt 1000 ] || fail "the second start took $elapsed ms"
wait_until 5 launcher_shown || fail "the running launcher did not come forward"
[ "$(launcher_count)" -eq 1 ] || fail "$(launcher_count) launcher windows"
echo "second start: $elapsed ms"

kill -9 "$LAUNCHER_PID"
wait "$LAUNCHER_PID" 2>/dev/null || true
start_launcher
[ "$(launcher_count)" -eq 1 ] || fail "no launcher after a crash of the first"
echo "PASS"
