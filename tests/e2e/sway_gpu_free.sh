#!/usr/bin/env bash
# On a Wayland desktop (headless sway), the launcher draws through shared memory: shown and
# typed into, it has mapped no GL vendor library or DRI driver, said nothing about it, and
# the programs it starts inherit nothing of that choice.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"

start_sway
portable_copy
mkdir -p "$WORK/bin"
printf '#!/bin/sh\nenv > "%s/env"\n' "$WORK" >"$WORK/bin/env.sh"
chmod +x "$WORK/bin/env.sh"
sjis_file "$WORK/data/memo" "$WORK/bin/env.sh" "" ""
sjis_file "$WORK/data.lst" "memo"
start_wayland_launcher
wtype_keys -s 150 me -s 50 -k Return
wait_until 10 test -s "$WORK/env" || fail "the keyword did not run: $(cat "$WORK/launcher.log")"
gpu=$(awk '$6 ~ /libEGL_|libGLX_|_dri\.so|libgbm|libglapi/ { print $6 }' "/proc/$LAUNCHER_PID/maps" | sort -u)
[ -z "$gpu" ] || fail "the launcher mapped a GPU library: $gpu"
[ ! -s "$WORK/launcher.log" ] || fail "the launcher printed: $(cat "$WORK/launcher.log")"
! grep -E '^QT_(WAYLAND_CLIENT_BUFFER|XCB_GL)_INTEGRATION=' "$WORK/env" \
  || fail "a started program inherited the launcher's drawing choice"
echo "PASS"
