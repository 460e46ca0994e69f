#!/usr/bin/env bash
# On X11 the launcher draws without GL: shown, typed into and with a dialog opened, it has
# mapped no GL vendor library or DRI driver, and the programs it starts inherit nothing of
# that choice. Nor has it compiled code at run time (a regular expression engine's JIT) for
# its small checks.
source "$(dirname "$0")/lib.sh"

start_display
mkdir -p "$WORK/bin"
printf '#!/bin/sh\nenv > "%s/env"\n' "$WORK" >"$WORK/bin/env.sh"
chmod +x "$WORK/bin/env.sh"
sjis_file "$WORK/data/memo" "$WORK/bin/env.sh" "" ""
sjis_file "$WORK/data.lst" "memo"
start_launcher

type_text "memo"
key Return
wait_until 10 test -s "$WORK/env" || fail "the keyword did not run"
! grep -E '^QT_(WAYLAND_CLIENT_BUFFER|XCB_GL)_INTEGRATION=' "$WORK/env" \
  || fail "a started program inherited the launcher's drawing choice"
open_new_registration
key Escape
gpu=$(awk '$6 ~ /libEGL_|libGLX_|_dri\.so|libgbm|libglapi|glx-integration/ { print $6 }' \
  "/proc/$LAUNCHER_PID/maps" | sort -u)
[ -z "$gpu" ] || fail "the launcher mapped a GPU library: $gpu"
jit=$(awk '$2 ~ /x/ && NF < 6' "/proc/$LAUNCHER_PID/maps")
[ -z "$jit" ] || fail "the launcher made code at run time: $jit"
echo "PASS"
