#!/usr/bin/env bash
# On a Wayland desktop (headless sway), summoned by the desktop's own shortcut: the summon
# command starts a launcher when none runs, hands its request over quickly to one that runs,
# starts one over a dead launcher's socket; --toggle brings the launcher with the focus and
# sends it away; a shortcut followed at once by a keyword's first letters and Enter launches
# it; turning to another window hides the launcher.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"

start_sway
start_watcher
portable_copy
marker_script
sjis_file "$WORK/data/memo" "$WORK/bin/marker.sh" "メモを書く" "typed"
sjis_file "$WORK/data.lst" "memo"
own_work

summon_start --show
wait_until 15 focused "$LAUNCHER_PID" || fail "tblaunch-summon --show started no launcher: \
$(launcher_windows; cat "$WORK/launcher.log")"

# A request to the running launcher: status 0 at once, and done.
timed_summon() {
  local start status=0 elapsed
  start=$(date +%s%N)
  summon "$1" || status=$?
  elapsed=$((($(date +%s%N) - start) / 1000))
  [ "$status" -eq 0 ] || fail "tblaunch-summon $1 ended with status $status: $(cat "$WORK/summon.log")"
  [ "$elapsed" -lt 200000 ] || fail "tblaunch-summon $1 took $elapsed µs"
  echo "tblaunch-summon $1: $elapsed µs"
}
timed_summon --hide
wait_until 5 absent "$LAUNCHER_PID" || fail "--hide left the launcher shown"
timed_summon --show
wait_until 5 focused "$LAUNCHER_PID" || fail "a second --show did not bring the launcher with the focus"
timed_summon --hide
wait_until 5 absent "$LAUNCHER_PID" || fail "--hide left the launcher shown"
timed_summon --toggle
wait_until 5 focused "$LAUNCHER_PID" || fail "--toggle did not bring the hidden launcher with the focus"
timed_summon --toggle
wait_until 5 absent "$LAUNCHER_PID" || fail "a second --toggle left the launcher shown"

# The shortcut, then at once a keyword's first letters, completed, and Enter: one wtype
# process, as its virtual keyboard going away takes the focus from the window.
wtype_keys -M logo -k space -m logo -s 150 me -k Return
wait_until 10 test -s "$WORK/marker" || fail "the keyword typed after the shortcut did not run: \
$(launcher_windows; cat "$WORK/launcher.log")"
[ "$(cat "$WORK/marker")" = typed ] || fail "the target ran with '$(cat "$WORK/marker")'"

# Another window taking the focus (a second launcher, of another folder) hides this one.
timed_summon --show
wait_until 5 focused "$LAUNCHER_PID" || fail "--show did not bring the launcher with the focus"
FIRST=$LAUNCHER_PID
portable_copy "$WORK/other"
start_wayland_launcher "$WORK/other"
wait_until 5 absent "$FIRST" || fail "the launcher stayed shown when another window took the focus"
kill "$LAUNCHER_PID"
LAUNCHER_PID=$FIRST

# A launcher killed outright leaves its socket behind; the summon command starts a new one.
kill -9 "$LAUNCHER_PID"
wait "$LAUNCHER_PID" 2>/dev/null || true
compgen -G "$RUN/tblaunch-*" >/dev/null || fail "the killed launcher left no socket behind"
summon_start --show
wait_until 15 focused "$LAUNCHER_PID" || fail "tblaunch-summon --show started no launcher over a \
dead one's socket: $(cat "$WORK/launcher.log")"
echo "PASS"
