#!/usr/bin/env bash
# Start-up, memory and the latency of typing "zzzq" over folders a user's disk may really hold,
# beside the same 10,000 keywords in order: binary garbage in every file the program reads,
# symbolic links for data, data.lst and skin, and the entries the typed keys show being a
# 100 MB file, a FIFO and a folder; and a data.lst of one million lines.
# Usage: bench/hostile.sh [build] [extra harness options...]
source "$(dirname "$0")/lib.sh"
shift || true

# The rows the typed prefixes show, one a line: "z" shows zuri, "zz" and "zzz" show
# zzzz-last, "zzzq" none.
keyword_folder 10000 "$work/plain"
shown() {
  /usr/bin/python3 - "$work/kw10000.txt" <<'PY'
import sys
rows = [w.strip() for w in open(sys.argv[1])]
for prefix in ("z", "zz"):
    print(next((r for r in rows if r.lower().startswith(prefix)), ""))
PY
}
mapfile -t typed < <(shown)

garbage() { head -c "$2" /dev/urandom > "$1"; }

# Garbage: random bytes between the rows and after them, as the entry of the first row typed
# (the second's is a folder), and as the settings file. (A skin whose bitmap is garbage stops start-up at its error box,
# "…ビットマップ イメージが不正です。は開けません.", so it is not timed here.)
keyword_folder 10000 "$work/garbage"
{
  head -n 5000 "$work/garbage/data.lst"; head -c 65536 /dev/urandom; printf '\r\n'
  tail -n +5001 "$work/garbage/data.lst"; head -c 1048576 /dev/urandom
} > "$work/garbage/data.new"
mv "$work/garbage/data.new" "$work/garbage/data.lst"
garbage "$work/garbage/data/${typed[0]}" 65536
rm "$work/garbage/data/${typed[1]}" && mkdir "$work/garbage/data/${typed[1]}"
head -c 4096 /dev/urandom > "$work/garbage/tblaunch.ini"

# Links: data, data.lst and skin are symbolic links into another folder; the entries of the
# rows typed are a 100 MB file and a FIFO; one name is decomposed (NFD).
keyword_folder 10000 "$work/links"
mkdir -p "$work/elsewhere"
mv "$work/links/data" "$work/links/data.lst" "$work/elsewhere/"
mkdir -p "$work/elsewhere/skin"
ln -s "$work/elsewhere/data" "$work/links/data"
ln -s "$work/elsewhere/data.lst" "$work/links/data.lst"
ln -s "$work/elsewhere/skin" "$work/links/skin"
rm "$work/elsewhere/data/${typed[1]}"
head -c 104857600 /dev/zero | tr '\0' 'x' > "$work/elsewhere/data/${typed[0]}"
mkfifo "$work/elsewhere/data/${typed[1]}"
touch "$work/elsewhere/data/$(printf '\xe3\x81\x8b\xe3\x82\x99')"
printf '\x82\xaa\r\n' >> "$work/elsewhere/data.lst"

keyword_folder 1000000 "$work/million" z

dbus-run-session -- "$tools/startup-latency.sh" -n "${RUNS:-7}" --wm openbox --keys zzzq \
  --out "$build/bench-hostile" "$@" \
  --case "plain 10k" --match class:tblaunch --cmd "$work/plain/tblaunch" \
  --case "garbage 10k" --match class:tblaunch --cmd "$work/garbage/tblaunch" \
  --case "links 10k" --match class:tblaunch --cmd "$work/links/tblaunch" \
  --case "million" --match class:tblaunch --cmd "$work/million/tblaunch"
