#!/usr/bin/env bash
# Start-up, peak memory and the latency of typing "zzzq" with 100,000 and 1,000,000 keywords
# (a data.lst of 8 MB), measured from outside with the shared harness. Only the rows starting
# with "z" get entry files: a million small files would fill the disk, and typing "zzzq" shows
# no other row. Usage: bench/scale.sh [build] [extra harness options...]
source "$(dirname "$0")/lib.sh"
shift || true

cases=()
for n in 100000 1000000; do
  folder="$work/tb$((n / 1000))k"
  keyword_folder "$n" "$folder" z
  cases+=(--case "tblaunch $((n / 1000))k" --match class:tblaunch --cmd "$folder/tblaunch")
done

dbus-run-session -- "$tools/startup-latency.sh" -n "${RUNS:-7}" --wm openbox --keys zzzq \
  --out "$build/bench-scale" "$@" "${cases[@]}"
