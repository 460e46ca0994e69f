#!/usr/bin/env bash
# One launcher per data folder: a second start while one runs brings that one forward and
# ends at once with status 0; --hide, --toggle and --show ask the running one to go, to turn
# about and to come; after the first is killed outright, of two starts at once one runs. A
# program launched before any summon inherits none of the desktop's tokens the launcher was
# started with.
source "$(dirname "$0")/lib.sh"

start_display
start_tray
mkdir -p "$WORK/bin"
printf '#!/bin/sh\nenv > "%s/launched.env"\n' "$WORK" > "$WORK/bin/env.sh"
chmod +x "$WORK/bin/env.sh"
sjis_file "$WORK/data/envrec" "$WORK/bin/env.sh" "" ""
sjis_file "$WORK/data.lst" "envrec"
XDG_ACTIVATION_TOKEN=stale-wayland-token DESKTOP_STARTUP_ID=stale-x11-id start_launcher
type_text "envrec"
key Return
wait_until 10 test -s "$WORK/launched.env" || fail "the launched program did not run"
if grep -E '^(XDG_ACTIVATION_TOKEN|DESKTOP_STARTUP_ID)=' "$WORK/launched.env"; then
  fail "a launched program inherited the desktop's token"
fi
"$PROGRAM" --version | grep -q '^tblaunch [0-9.]*$' || fail "--version: $("$PROGRAM" --version)"

launcher_count() { xdotool search --onlyvisible --name "^tobio's launcher\$" 2>/dev/null | wc -l; }
start_other
turn_away
start=$(date +%s%N)
(cd "$WORK" && exec ./tblaunch) >>"$WORK/second.log" 2>&1
status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
[ "$status" -eq 0 ] || fail "the second start ended with status $status"
[ "$elapsed" -lt 10000 ] || fail "the second start took $elapsed ms"
wait_until 10 launcher_shown || fail "the running launcher did not come forward"
[ "$(launcher_count)" -eq 1 ] || fail "$(launcher_count) launcher windows"
echo "second start: $elapsed ms"

# Each request ends at once with status 0, and the running launcher does as asked.
request() {
  local start status elapsed
  start=$(date +%s%N)
  (cd "$WORK" && exec ./tblaunch "$1") >>"$WORK/request.log" 2>&1
  status=$?
  elapsed=$((($(date +%s%N) - start) / 1000000))
  [ "$status" -eq 0 ] || fail "$1 ended with status $status"
  [ "$elapsed" -lt 10000 ] || fail "$1 took $elapsed ms"
}
focused_shown() { launcher_shown && focused_on_launcher; }
type_text "me"
request --hide
wait_until 10 launcher_hidden || fail "--hide left the launcher shown"
request --toggle
wait_until 10 focused_shown || fail "--toggle did not bring the hidden launcher with the focus"
[ -z "$(input_text)" ] || fail "--hide kept the line's text"
request --toggle
wait_until 10 launcher_hidden || fail "a second --toggle left the focused launcher shown"
request --show
wait_until 10 focused_shown || fail "--show did not bring the launcher with the focus"
turn_away
request --toggle
wait_until 10 focused_shown || fail "--toggle on a launcher without the focus did not bring it"
[ "$(launcher_count)" -eq 1 ] || fail "$(launcher_count) launcher windows after the requests"

# The summon command a desktop's shortcut runs does the same without loading the toolkit.
cp "$(dirname "$PROGRAM")/tblaunch-summon" "$WORK/"
summon() {
  local start status elapsed
  start=$(date +%s%N)
  (cd "$WORK" && exec ./tblaunch-summon "$1") >>"$WORK/summon.log" 2>&1
  status=$?
  elapsed=$((($(date +%s%N) - start) / 1000))
  [ "$status" -eq 0 ] || fail "tblaunch-summon $1 ended with status $status: $(cat "$WORK/summon.log")"
  [ "$elapsed" -lt 2000000 ] || fail "tblaunch-summon $1 took $elapsed µs"
  echo "tblaunch-summon $1: $elapsed µs"
}
# The program it would fall back on taken away: only the running launcher can answer.
mv "$WORK/tblaunch" "$WORK/tblaunch.away"
summon --toggle
wait_until 10 launcher_hidden || fail "tblaunch-summon --toggle left the focused launcher shown"
summon --show
wait_until 10 focused_shown || fail "tblaunch-summon --show did not bring the launcher"
mv "$WORK/tblaunch.away" "$WORK/tblaunch"

kill -9 "$LAUNCHER_PID"
wait "$LAUNCHER_PID" 2>/dev/null || true

# With no launcher running, --hide starts none.
request --hide
launcher_hidden || fail "--hide started a launcher"

# After a crash, two starts at once: one runs, the other gives way with status 0. Then that
# one crashes in turn, leaving its socket behind for the next pair.
for round in 1 2 3 4 5; do
  (cd "$WORK" && exec ./tblaunch) >>"$WORK/a.log" 2>&1 &
  A=$!
  (cd "$WORK" && exec ./tblaunch) >>"$WORK/b.log" 2>&1 &
  B=$!
  PIDS+=("$A" "$B")
  one_ended() { ! kill -0 "$A" 2>/dev/null || ! kill -0 "$B" 2>/dev/null; }
  wait_until 10 one_ended || fail "round $round: both starts still run"
  if kill -0 "$A" 2>/dev/null; then RUNNING=$A ENDED=$B; else RUNNING=$B ENDED=$A; fi
  status=0
  wait "$ENDED" || status=$?
  [ "$status" -eq 0 ] || fail "round $round: the start that gave way ended with status $status"
  wait_until 10 launcher_shown || fail "round $round: no launcher after the crash"
  # The start that gave way has ended: no second window can come.
  [ "$(launcher_count)" -eq 1 ] || fail "round $round: $(launcher_count) launcher windows"
  kill -0 "$RUNNING" 2>/dev/null || fail "round $round: the launcher ended"
  if [ "$round" -lt 5 ]; then
    kill -9 "$RUNNING"
    wait "$RUNNING" 2>/dev/null || true
    wait_until 10 launcher_hidden || fail "round $round: the crashed launcher's window stayed"
  fi
done

# With none running, the summon command becomes the launcher.
kill "$RUNNING" 2>/dev/null || true
wait "$RUNNING" 2>/dev/null || true
wait_until 10 launcher_hidden || fail "the launcher did not end"
(cd "$WORK" && exec ./tblaunch-summon --show) >>"$WORK/summon.log" 2>&1 &
PIDS+=("$!")
wait_until 10 launcher_shown || fail "tblaunch-summon --show started no launcher"
echo "PASS"
