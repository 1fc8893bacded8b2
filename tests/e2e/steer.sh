#!/usr/bin/env bash
# End-to-end steering of a run under Wine, against TargetApp:
#   1. a run stopped between LeftDown and LeftUp leaves the button up (the target sees
#      the release where the pointer is).
#   2. the remembered speed, read at start-up by an auto-run: 40 clicks 100 ms apart
#      come 50 ms apart at ×2 and 200 ms apart at ×0.5.
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

# --- 2. Speed: the median interval and the whole run against the scaled waits.
clicks40=$(for i in $(seq 0 39); do echo "LeftClick x=$((720 + i * 5)) y=560 preWaitMs=0 postWaitMs=100"; done)
make_macro forty "$clicks40"
for case in "200 50" "50 200"; do
    set -- $case
    "$wine" reg add 'HKCU\Software\Tappling' /v PlaybackSpeed /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    if e2e_start_target "speed$1" 700 500 320 240; then
        status=0
        timeout 60 "$wine" 'C:\e2e\Tappling.exe' 'C:\e2e\forty.TPM' -NODIG >/dev/null 2>&1 || status=$?
        sleep 0.3
        e2e_stop_target
        cp "$work/speed$1.log" "$artifacts/steer-speed$1.log"
        downs=$(tr -d '\r' <"$work/speed$1.log" | awk '$2 == "down" && $3 == "L" { print $1 }')
        count=$(printf '%s\n' "$downs" | grep -c . || true)
        median=$(printf '%s\n' "$downs" | awk 'NR > 1 { print $1 - p } { p = $1 }' | sort -n |
            awk '{ d[NR] = $1 } END { print (NR ? d[int((NR + 1) / 2)] : 0) }')
        span=$(printf '%s\n' "$downs" | awk 'NR == 1 { f = $1 } { l = $1 } END { print l - f + 0 }')
        want_span=$((39 * $2))
        if [ "$status" -eq 0 ] && [ "$count" -eq 40 ] && [ $((median - $2)) -le 5 ] && [ $(($2 - median)) -le 5 ] &&
           [ $((span - want_span)) -le 40 ] && [ $((want_span - span)) -le 40 ]; then
            e2e_pass "speed $1 %: 40 clicks, median interval $median ms, whole run $span ms"
        else e2e_fail "speed $1 %: status $status, $count clicks, median $median ms, span $span ms (want $2, $want_span)"; fi
    fi
done
"$wine" reg delete 'HKCU\Software\Tappling' /f >/dev/null 2>&1 || true

e2e_finish steer.sh
