#!/usr/bin/env bash
# No keystroke lost after the hotkey: under Xvfb with openbox and a notification area, another
# window has the focus and the launcher is hidden; Ctrl+Alt+K and then "abcdef" are sent with
# no delay. Every round, the input line must read "abcdef"; the time from the hotkey's press
# to the launcher having the focus is summed up at the end, beside the time the summon command
# (what a desktop's own shortcut would run instead) takes from exec to exit.
# Usage: bench/hotkey.sh [build] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-100}
tool=$(mktemp -d)/hotkey-focus
cc -O2 -o "$tool" "$root/bench/hotkey-focus.c" -lX11 -lXtst

# The end-to-end tests' steps: display, window manager, tray, the program in a fresh folder.
source "$root/tests/e2e/lib.sh" "$build/tblaunch"
trap 'cleanup; rm -rf "$(dirname "$tool")"' EXIT
start_display
start_tray
sjis_file "$WORK/tblaunch.ini" '[hotkey]' 'key=Ctrl+Alt+K'
start_launcher

start_other

times=()
lost=0
for ((round = 1; round <= rounds; round++)); do
  turn_away
  result=$("$tool" "$WINDOW")
  times+=("${result#focus_ms=}")
  text=$(input_text)
  if [ "$text" != "abcdef" ]; then
    lost=$((lost + 1))
    echo "round $round: the line read '$text'" >&2
  fi
  key Escape
done

printf '%s\n' "${times[@]}" | /usr/bin/python3 -c '
import statistics, sys
values = [line.strip() for line in sys.stdin]
ms = sorted(float(v) for v in values if v != "timeout")
print(f"focus after the hotkey: median {statistics.median(ms):.2f} ms, worst {max(ms):.2f} ms, "
      f"timeouts {len(values) - len(ms)}")
'
echo "lines complete: $((rounds - lost)) of $rounds"

# The summon command against the running launcher, hidden before each run.
cp "$build/tblaunch-summon" "$WORK/"
summon_times=()
for ((round = 1; round <= rounds; round++)); do
  turn_away
  summon_times+=("$(/usr/bin/python3 -c '
import os, sys, time
start = time.perf_counter()
_, status = os.waitpid(os.posix_spawn(sys.argv[1], sys.argv[1:], os.environ), 0)
print(f"{(time.perf_counter() - start) * 1000:.3f}" if status == 0 else "failed")
' "$WORK/tblaunch-summon" --show)")
  wait_until 5 launcher_shown || fail "tblaunch-summon --show did not bring the launcher"
done
printf '%s\n' "${summon_times[@]}" | /usr/bin/python3 -c '
import statistics, sys
values = [line.strip() for line in sys.stdin]
ms = sorted(float(v) for v in values if v != "failed")
print(f"tblaunch-summon --show, exec to exit: median {statistics.median(ms):.2f} ms, "
      f"worst {max(ms):.2f} ms, failed {len(values) - len(ms)}")
'
