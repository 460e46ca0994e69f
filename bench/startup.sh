#!/usr/bin/env bash
# Start-up time and peak memory of build/tblaunch beside dmenu, at 10,000 and 100,000
# keywords, measured from outside with the shared harness; with --keys, also the latency
# of typing the worst case. Usage: bench/startup.sh [build] [extra harness options...]
# TB_BEFORE=/path/to/an/older/tblaunch adds that binary beside the build's, in the same run;
# TB_FLOOR=1 adds build/bench/qt_floor, a bare Qt window with one line edit and no keywords.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
tools=${TB_TOOLS:-$root/../shared/tools}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=()
for n in 10000 100000; do
  label=$((n / 1000))k
  /usr/bin/python3 "$tools/gen-keywords.py" "$n" > "$work/kw$label.txt"
  mkdir -p "$work/tb$label/data"
  # data.lst is Shift-JIS with CR LF; these keywords are ASCII. Every keyword gets an entry
  # file, as a registered one has, so that typing shows entries rather than open errors.
  sed 's/$/\r/' "$work/kw$label.txt" > "$work/tb$label/data.lst"
  /usr/bin/python3 - "$work/kw$label.txt" "$work/tb$label/data" <<'PY'
import sys
with open(sys.argv[1]) as words:
    for word in words:
        with open(f"{sys.argv[2]}/{word.strip()}", "wb") as entry:
            entry.write(b"/usr/bin/true\r\n" + word.strip().encode() + b"\r\n\r\n")
PY
  cp "$build/tblaunch" "$work/tb$label/"
  cases+=(--case "dmenu $label" --match class:dmenu --stdin "$work/kw$label.txt" --cmd dmenu
          --case "tblaunch $label" --match class:tblaunch --cmd "$work/tb$label/tblaunch")
  if [[ -n ${TB_BEFORE:-} ]]; then
    # A copy of the same folder, so that both programs read identical files.
    cp -r "$work/tb$label" "$work/before$label"
    cp "$TB_BEFORE" "$work/before$label/tblaunch"
    cases+=(--case "before $label" --match class:tblaunch --cmd "$work/before$label/tblaunch")
  fi
done

if [[ -n ${TB_FLOOR:-} ]]; then
  cases+=(--case "qt floor" --match class:qt_floor --cmd "$build/bench/qt_floor")
fi

# A session bus of its own, so the program's tray lookup finds one and starts none.
dbus-run-session -- "$tools/startup-latency.sh" -n "${RUNS:-15}" --wm openbox \
  --out "$build/bench-startup" "$@" "${cases[@]}"
