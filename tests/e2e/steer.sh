#!/usr/bin/env bash
# End-to-end steering of a run under Wine, against TargetApp:
#   1. a run stopped between LeftDown and LeftUp leaves the button up (the target sees
#      the release where the pointer is).
# Run through the harness: tools/with-wine-display tests/e2e/steer.sh [BIN_DIR]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"
e2e_workdir Tappling.exe TargetApp.exe

events() { tr -d '\r' <"$work/$1.log" | cut -d' ' -f2-; }  # the log without its tick column

# make_macro NAME TEXT: work/NAME.TPM from the text form.
make_macro() {
    printf '%s\n' "$2" >"$work/$1.txt"
    "$e2e_repo/build/native/bin/tpm" build "$work/$1.txt" -o "$work/$1.TPM" >/dev/null
}

# --- 1. The button released after a stop: LeftDown on the target, then a long wait that
#        ESC ends; the auto-run closes the program, and the target sees the release.
make_macro held "LeftDown x=760 y=560 preWaitMs=300 postWaitMs=0
WaitOnly preWaitMs=0 postWaitMs=20000"
if e2e_start_target held 700 500 320 240; then
    e2e_start "$work/Tappling.exe" 'C:\e2e\held.TPM' -NODIG
    tappling=$e2e_pid
    for _ in $(seq 1 100); do events held | grep -q '^down L' && break; sleep 0.1; done
    sleep 0.5
    xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
    status=0; e2e_wait_exit "$tappling" 15 || status=$?
    sleep 0.5
    e2e_stop_target
    cp "$work/held.log" "$artifacts/steer-held.log"
    buttons=$(events held | sed -n 's/^\(down\|up\) L /\1 /p' | tr '\n' ';')
    if [ "$status" -eq 0 ] && [ "$buttons" = "down 760 560;up 760 560;" ]; then
        e2e_pass "a run stopped with the button down releases it"
    else e2e_fail "held button: status $status, buttons '$buttons'"; fi
fi

e2e_finish steer.sh
