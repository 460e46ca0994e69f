#!/usr/bin/env bash
# Soak: the real program under Xvfb with openbox and a notification area, driven for a long
# time as a user would (summons by the hotkey, typing with completion, Enter on keywords,
# registrations and deletions, every dialog opened and closed), with its resident memory,
# open file descriptors and X resources read at the start, after the first operations and at
# the end. A resident program must not grow with use.
# Usage: [SOAK_SCALE=0.01] [TB_TOOLS=../shared/tools] bench/soak.sh [build]
# SOAK_SCALE multiplies every count (1: 10,000 summons, 200,000 keystrokes, 2,000 Enters,
# 500 registrations and as many deletions, 200 openings of each dialog); SOAK_KEYWORDS is
# the size of the keyword list (1,000); SOAK_CHECKPOINT the operation after which the
# second figures are taken (1,000, or a tenth of a run too short for it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
scale=${SOAK_SCALE:-1}
keywords=${SOAK_KEYWORDS:-1000}

source "$root/tests/e2e/lib.sh" "$build/tblaunch"
source "$root/bench/lib.sh" "$build"
trap 'cleanup; rm -rf "$work"' EXIT
log=${SOAK_LOG:-$build/bench-soak.txt}
: >"$log"
say() { printf '%s\n' "$*" | tee -a "$log"; }

scaled() { awk -v n="$1" -v s="$scale" 'BEGIN { v = int(n * s + 0.5); print (v < 1 ? 1 : v) }'; }

# --- The folder: keywords with entries, a few of them launching a script that leaves a file
# named by its parameter, and the hotkey switched on.
keyword_folder "$keywords" "$WORK"
mkdir -p "$WORK/bin" "$WORK/launched"
printf '#!/bin/sh\n: > "%s/launched/$1"\n' "$WORK" >"$WORK/bin/launched.sh"
chmod +x "$WORK/bin/launched.sh"
# Keywords that are no other keyword's beginning, so that the completion proposes them.
mapfile -t words <"$work/kw$keywords.txt"
mapfile -t launchable < <(/usr/bin/python3 - "$work/kw$keywords.txt" <<'PY'
import sys
words = [w.strip() for w in open(sys.argv[1]) if w.strip()]
first = {}
for w in words:
    first.setdefault(w.lower(), w)
whole = [w for w in words if not any(o != w and o.lower().startswith(w.lower()) for o in words)]
print("\n".join(whole[:: max(1, len(whole) // 20)][:20]))
PY
)
for word in "${launchable[@]}"; do
  printf '%s\r\n%s\r\n%s\r\n' "$WORK/bin/launched.sh" "$word" "$word" >"$WORK/data/$word"
done
# The hotkey on, and the window staying where it is (not brought to the pointer).
sjis_file "$WORK/tblaunch.ini" '[hotkey]' 'key=Ctrl+Alt+K' '[Setting]' 'HookHotKey=1' \
  'MousePoint=0' 'TimeStamp=1' 'StayOnTop=0'

start_display
start_tray
start_launcher
start_other
window_origin "$WINDOW"

# --- Waiting for windows and files.
exists() { [ -e "$1" ]; }
missing() { [ ! -e "$1" ]; }
# A notice box bears the program's name.
notice_shown() { shown tblaunch; }
must() {
  "$@" && return 0
  screenshot "$build/soak-failed.png"
  cp "$WORK/launcher.log" "$build/soak-launcher.log" 2>/dev/null || true
  local state="running"
  kill -0 "$LAUNCHER_PID" 2>/dev/null || state="gone"
  fail "soak stopped at operation $done_ops: $* (the launcher $state; the screen: $build/soak-failed.png, its output: $build/soak-launcher.log)"
}

alive() { kill -0 "$LAUNCHER_PID" 2>/dev/null || fail "the launcher ended at operation $done_ops"; }

# The launcher shown and with the keyboard focus, as after a summons.
front() {
  alive
  if launcher_hidden; then
    key ctrl+alt+k
    must wait_until 10 launcher_shown
  fi
  WINDOW=$(launcher_window)
  if ! focused_on_launcher; then
    xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || xdotool windowfocus "$WINDOW"
    must wait_until 5 focused_on_launcher
  fi
}

# --- The operations.
summon() {
  turn_away
  key ctrl+alt+k
  must wait_until 10 launcher_shown
  must wait_until 10 focused_on_launcher
}

# One burst of about 100 keystrokes: beginnings of keywords (the completion proposes one),
# now and then a text no keyword begins with, each erased before the next.
typed_keys=0
type_burst() {
  front
  local args=() count=0 word length i
  while [ "$count" -lt 100 ]; do
    word=${words[RANDOM % ${#words[@]}]}
    if [ $((RANDOM % 8)) -eq 0 ]; then
      word="q${word}zq"
    else
      length=$((1 + RANDOM % ${#word}))
      word=${word:0:length}
    fi
    for ((i = 0; i < ${#word}; i++)); do
      case ${word:i:1} in
        -) args+=(minus) ;;
        *) args+=("${word:i:1}") ;;
      esac
    done
    args+=(ctrl+a BackSpace)
    count=$((count + ${#word} + 2))
  done
  xdotool key --delay 2 "${args[@]}"
  typed_keys=$((typed_keys + count))
}

enter_keyword() {
  front
  local word=${launchable[RANDOM % ${#launchable[@]}]}
  type_text "$word"
  key Return
  must wait_until 10 exists "$WORK/launched/$word"
  rm -f "$WORK/launched/$word"
}

# "/new", the name and the target typed into their fields, 登録, the notice's OK.
registered=0
register() {
  front
  local name="soakreg$registered"
  type_text "/new"
  key Return
  must wait_until 10 shown '登録画面'
  local dialog
  dialog=$(named '登録画面')
  window_origin "$dialog"
  xdotool mousemove $((X + 60)) $((Y + 34)) click 1 key ctrl+a BackSpace
  type_text "$name"
  xdotool mousemove $((X + 60)) $((Y + 74)) click 1 key ctrl+a BackSpace
  type_text "/usr/bin/true"
  xdotool mousemove $((X + 188)) $((Y + 238)) click 1
  must wait_until 10 exists "$WORK/data/$name"
  must wait_until 10 notice_shown
  key Return
  must wait_until 10 gone '登録画面'
  window_origin "$WINDOW"
  registered=$((registered + 1))
}

# "name/del" and the question's OK, for the keyword registered last.
delete_last() {
  front
  local name="soakreg$((registered - 1))"
  type_text "$name/del"
  key Return
  must wait_until 10 shown '警告'
  key Return
  must wait_until 10 missing "$WORK/data/$name"
  must wait_until 10 gone '警告'
}

# A dialog opened (by the command or the menu's keys), then closed with Esc.
dialog() {
  local title=$1
  shift
  front
  window_origin "$WINDOW"
  if [ "${1:0:1}" = "/" ]; then
    type_text "$1"
    key Return
  else
    main_menu "$@"
  fi
  must wait_until 10 shown "$title"
  xdotool windowactivate --sync "$(named "$title")" >/dev/null 2>&1 || true
  key Escape
  must wait_until 10 gone "$title"
}

# --- The figures: resident memory, descriptors, and the client's X resources by kind.
figures() {
  local label=$1 rss fds xres
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$LAUNCHER_PID/status")
  fds=$(find "/proc/$LAUNCHER_PID/fd" -mindepth 1 -maxdepth 1 | wc -l)
  xres=$(xrestop -b -m 1 2>/dev/null | /usr/bin/python3 -c '
import re, sys
counts, mine = {}, False
for line in sys.stdin:
    client = re.match(r"\d+ - .*\( PID:\s*(\S+)\s*\):", line)
    if client:
        if mine:
            break
        mine = client.group(1) == sys.argv[1]
    elif mine and ":" in line:
        name, _, value = line.partition(":")
        counts[name.strip()] = value.strip()
keys = ["windows", "GCs", "fonts", "pixmaps", "pictures", "glyphsets", "colormaps",
        "passive grabs", "cursors", "unknowns", "pixmap bytes"]
print(" ".join(k.replace(" ", "_") + "=" + counts[k] for k in keys if k in counts)
      or "no X client of the launcher found")
' "$LAUNCHER_PID")
  say "$(printf '%-22s RSS %6d KiB  fds %3d  %s' "$label" "$rss" "$fds" "$xres")"
}

# --- The run: every kind of operation spread evenly over it.
kinds=(summon type_burst enter_keyword register delete_last settings special order about newdlg)
counts=(
  "$(scaled 10000)" "$(scaled 2000)" "$(scaled 2000)" "$(scaled 500)" "$(scaled 500)"
  "$(scaled 200)" "$(scaled 200)" "$(scaled 200)" "$(scaled 200)" "$(scaled 200)"
)
settings() { dialog '設定画面' Down Down Down Down Down Down Return; }
special() { dialog '特殊項目の登録' Down Down Down Return; }
order() { dialog '登録キーワード保守' /sort; }
# Down from the top: Up from it passes the exit item, which a key lost to a menu not yet
# ready would choose.
about() { dialog 'バージョン情報' Down Down Down Down Down Down Down Down Down Down Down Down Return; }
newdlg() { dialog '登録画面' /new; }

total=0
for c in "${counts[@]}"; do total=$((total + c)); done
checkpoint=${SOAK_CHECKPOINT:-1000}
[ "$total" -ge $((2 * checkpoint)) ] || checkpoint=$((total / 10))
progress_every=$(((total + 9) / 10))
made=(0 0 0 0 0 0 0 0 0 0)

say "soak of $build/tblaunch, $keywords keywords, scale $scale: $total operations" \
  "(${counts[0]} summons, ${counts[1]} bursts of 100 keys, ${counts[2]} Enters," \
  "${counts[3]} registrations, ${counts[4]} deletions, ${counts[5]} openings of each dialog)"
front
# The idle window first: start-up work such as the first paint is done.
sleep 1
figures "start"
started=$SECONDS
done_ops=0
while [ "$done_ops" -lt "$total" ]; do
  # The kind furthest behind its share; a deletion only after its registration.
  pick=-1
  for ((k = 0; k < ${#kinds[@]}; k++)); do
    [ "${made[k]}" -lt "${counts[k]}" ] || continue
    if [ "${kinds[k]}" = delete_last ] && [ "$registered" -le "${made[k]}" ]; then continue; fi
    if [ "$pick" -lt 0 ] \
      || [ $((made[k] * counts[pick])) -lt $((made[pick] * counts[k])) ]; then
      pick=$k
    fi
  done
  "${kinds[pick]}"
  made[pick]=$((made[pick] + 1))
  done_ops=$((done_ops + 1))
  if [ "$done_ops" -eq "$checkpoint" ]; then
    front
    figures "after $checkpoint ops"
  elif [ $((done_ops % progress_every)) -eq 0 ] && [ "$done_ops" -lt "$total" ]; then
    front
    figures "after $done_ops ops"
  fi
done
front
sleep 1
figures "end"
say "done in $((SECONDS - started)) s: ${made[0]} summons, $typed_keys keystrokes," \
  "${made[2]} Enters, ${made[3]} registrations, ${made[4]} deletions, ${made[5]} openings" \
  "of each dialog"
