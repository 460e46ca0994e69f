#!/usr/bin/env bash
# Start-up time and peak memory of build/tblaunch beside dmenu, at 10,000 and 100,000
# keywords, measured from outside with the shared harness; with --keys, also the latency
# of typing the worst case. Usage: bench/startup.sh [build] [extra harness options...]
# TB_BEFORE=/path/to/an/older/tblaunch adds that binary beside the build's, in the same run;
# TB_FLOOR=1 adds build/bench/qt_floor, a bare Qt window with one line edit and no keywords.
source "$(dirname "$0")/lib.sh"
shift || true

cases=()
for n in 10000 100000; do
  label=$((n / 1000))k
  keyword_folder "$n" "$work/tb$label"
  cases+=(--case "dmenu $label" --match class:dmenu --stdin "$work/kw$n.txt" --cmd dmenu
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
