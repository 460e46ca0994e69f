#!/usr/bin/env bash
# The launcher's memory at rest, accounted for: resident set (RSS), proportional set (PSS)
# and private dirty pages of build/tblaunch at 10,000 and 100,000 keywords, each split by
# mapping (the anonymous heap, each library or mapped file over 256 KiB), beside dmenu and
# the toolkit's floor (build/bench/qt_floor) in the same run; then the same after every
# dialog was opened and closed once. On X11 (Xvfb with openbox) by default; "sway" as the
# second argument runs the launcher and the floor on a headless sway instead.
# Usage: [REST=10] [TB_BEFORE=/path/to/an/older/tblaunch] bench/memory.sh [build] [x11|sway]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
desktop=${2:-x11}
rest=${REST:-10}

source "$root/tests/e2e/lib.sh" "$build/tblaunch"
source "$root/bench/lib.sh" "$build"
trap 'cleanup; rm -rf "$work"' EXIT
log=$build/bench-memory-$desktop.txt
: >"$log"
say() { printf '%s\n' "$*" | tee -a "$log"; }

# figures LABEL PID: the totals, then the mappings over 256 KiB, largest first.
figures() {
  /usr/bin/python3 - "$1" "/proc/$2/smaps" <<'PY' | tee -a "$log"
import re, sys
label, path = sys.argv[1], sys.argv[2]
by_name, name = {}, None
for line in open(path):
    head = re.match(r"[0-9a-f]+-[0-9a-f]+ \S+ \S+ \S+ \S+\s*(.*)$", line)
    if head:
        name = head.group(1).strip() or "[anonymous]"
        by_name.setdefault(name, [0, 0, 0])
        continue
    field = re.match(r"(Rss|Pss|Private_Dirty):\s+(\d+) kB", line)
    if field:
        by_name[name][("Rss", "Pss", "Private_Dirty").index(field.group(1))] += int(field.group(2))
total = [sum(v[i] for v in by_name.values()) for i in range(3)]
print(f"{label:34} RSS {total[0] / 1024:6.1f}  PSS {total[1] / 1024:6.1f}  "
      f"private dirty {total[2] / 1024:5.1f} MiB")
for name, (rss, pss, dirty) in sorted(by_name.items(), key=lambda kv: -kv[1][0]):
    if rss > 256:
        print(f"    {rss:7d} {pss:7d} {dirty:7d} KiB  {name}")
PY
}

# A window of the class, shown.
class_shown() { xdotool search --onlyvisible --class "$1" >/dev/null 2>&1; }

# A dialog opened by a command typed into the line, or by the main menu's keys; closed by Esc.
dialog() {
  local title=$1
  shift
  xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
  window_origin "$WINDOW"
  if [ "${1:0:1}" = "/" ]; then
    type_text "$1"
    key Return
  else
    main_menu "$@"
  fi
  wait_until 10 shown "$title" || fail "$title did not open"
  xdotool windowactivate --sync "$(named "$title")" >/dev/null 2>&1 || true
  key Escape
  wait_until 10 gone "$title" || fail "$title did not close"
}
every_dialog() {
  dialog '設定画面' Down Down Down Down Down Down Return
  dialog '特殊項目の登録' Down Down Down Return
  dialog '登録キーワード保守' /sort
  dialog 'バージョン情報' Down Down Down Down Down Down Down Down Down Down Down Down Return
  dialog '登録画面' /new
}

# measure_x11 LABEL FOLDER: the folder's program at rest, then after every dialog once.
measure_x11() {
  local label=$1 folder=$2
  # A program file just written has dirty pages in the page cache, which its mappings would
  # count as private dirty until they are written back.
  sync
  (cd "$folder" && exec ./tblaunch) >"$folder/launcher.log" 2>&1 &
  LAUNCHER_PID=$!
  PIDS+=("$LAUNCHER_PID")
  wait_until 20 launcher_shown || fail "$label: no window"
  WINDOW=$(launcher_window)
  sleep "$rest"
  figures "$label at rest" "$LAUNCHER_PID"
  every_dialog
  sleep "$rest"
  figures "$label after every dialog" "$LAUNCHER_PID"
  kill "$LAUNCHER_PID"
  wait "$LAUNCHER_PID" 2>/dev/null || true
}

# measure_other LABEL INPUT CLASS COMMAND...: another program at rest, its window shown.
measure_other() {
  local label=$1 input=$2 class=$3 pid
  shift 3
  "$@" <"$input" >/dev/null 2>&1 &
  pid=$!
  PIDS+=("$pid")
  wait_until 20 class_shown "$class" || fail "$label: no window"
  sleep "$rest"
  figures "$label at rest" "$pid"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

if [ "$desktop" = x11 ]; then
  start_display
  say "memory at rest on X11, $rest s after the window appeared; RSS PSS private dirty"
  for n in 10000 100000; do
    label=$((n / 1000))k
    keyword_folder "$n" "$work/tb$label"
    measure_other "dmenu $label" "$work/kw$n.txt" dmenu dmenu
    measure_x11 "tblaunch $label" "$work/tb$label"
    if [[ -n ${TB_BEFORE:-} ]]; then
      cp -r "$work/tb$label" "$work/before$label"
      cp "$TB_BEFORE" "$work/before$label/tblaunch"
      measure_x11 "before $label" "$work/before$label"
    fi
  done
  measure_other "qt floor" /dev/null qt_floor "$build/bench/qt_floor"
  exit 0
fi

# On sway: the launcher and the floor at rest, as the desktop's user.
source "$root/tests/e2e/sway.sh"
start_sway
say "memory at rest on a headless sway, $rest s after the window appeared"
measure_sway() {
  local label=$1 folder=$2
  own_work
  sync
  cd "$folder"
  as_user_bg ./tblaunch >>"$folder/launcher.log" 2>&1
  cd - >/dev/null
  LAUNCHER_PID=$BG_PID
  wait_until 20 focused "$LAUNCHER_PID" || fail "$label: no window"
  sleep "$rest"
  figures "$label at rest" "$LAUNCHER_PID"
  kill "$LAUNCHER_PID"
  wait "$LAUNCHER_PID" 2>/dev/null || true
}
for n in 10000 100000; do
  label=$((n / 1000))k
  keyword_folder "$n" "$WORK/tb$label"
  measure_sway "tblaunch $label" "$WORK/tb$label"
  if [[ -n ${TB_BEFORE:-} ]]; then
    cp -r "$WORK/tb$label" "$WORK/before$label"
    cp "$TB_BEFORE" "$WORK/before$label/tblaunch"
    measure_sway "before $label" "$WORK/before$label"
  fi
done
mkdir -p "$WORK/floor"
cp "$build/bench/qt_floor" "$WORK/floor/tblaunch"
APP_ID=tblaunch # the copy's name
measure_sway "qt floor" "$WORK/floor"
