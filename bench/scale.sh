#!/usr/bin/env bash
# Start-up, peak memory and the latency of typing "zzzq" with 100,000 and 1,000,000 keywords
# (a data.lst of 8 MB), measured from outside with the shared harness. Only the rows starting
# with "z" get entry files: a million small files would fill the disk, and typing "zzzq" shows
# no other row. Usage: bench/scale.sh [build] [extra harness options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
tools=${TB_TOOLS:-$root/../shared/tools}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=()
for n in 100000 1000000; do
  folder="$work/tb$((n / 1000))k"
  mkdir -p "$folder/data"
  /usr/bin/python3 "$tools/gen-keywords.py" "$n" > "$work/kw.txt"
  sed 's/$/\r/' "$work/kw.txt" > "$folder/data.lst"
  /usr/bin/python3 - "$work/kw.txt" "$folder/data" <<'PY'
import sys
with open(sys.argv[1]) as words:
    for word in (w.strip() for w in words):
        if word.startswith("z"):
            with open(f"{sys.argv[2]}/{word}", "wb") as entry:
                entry.write(b"/usr/bin/true\r\n" + word.encode() + b"\r\n\r\n")
PY
  cp "$build/tblaunch" "$folder/"
  cases+=(--case "tblaunch $((n / 1000))k" --match class:tblaunch --cmd "$folder/tblaunch")
done

dbus-run-session -- "$tools/startup-latency.sh" -n "${RUNS:-7}" --wm openbox --keys zzzq \
  --out "$build/bench-scale" "$@" "${cases[@]}"
