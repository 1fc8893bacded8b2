#!/usr/bin/env bash
# End-to-end steering of a run under Wine, against TargetApp:
#   1. a run stopped between LeftDown and LeftUp leaves the button up (the target sees
#      the release where the pointer is).
#   2. the remembered speed, read at start-up by an auto-run: 40 clicks 100 ms apart
#      come 50 ms apart at ×2 and 200 ms apart at ×0.5.
#   3. "手動操作で停止" ticked: the player's own clicks never stop the run, a real X move
#      (xdotool) does, with "中断"; unticked, the same move does not; the choices and the
#      speed survive a restart (registry values, caption " [×2]").
#   4. "選択行から実行" on a two-pass loop: the first pass starts at the selected row, the next at the top.
# Run through the harness: tools/with-wine-display tests/e2e/steer.sh [BIN_DIR]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"
e2e_workdir Tappling.exe TargetApp.exe CommandPoke.exe

events() { tr -d '\r' <"$work/$1.log" | cut -d' ' -f2-; }  # the log without its tick column

# make_macro NAME TEXT: work/NAME.TPM from the text form.
make_macro() { printf '%s\n' "$2" | e2e_build_macro "$work/$1.TPM"; }

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

# --- 3. Stop on the user's own input, from the main window.
poke() { "$wine" 'C:\e2e\CommandPoke.exe' command "$main" "$1" >/dev/null 2>&1; }
open_main() {
    e2e_start "$work/Tappling.exe" 'C:\e2e\hand.TPM' -ONDIG
    main=$(e2e_probe wait --exe Tappling.exe --title-prefix 'Tappling hand' --timeout 30000 | e2e_first_hwnd)
}
end_message() {  # the text of the message box at the end of a run, answered with OK
    local box
    box=$(e2e_probe wait --exe Tappling.exe --class '#32770' --title Tappling --timeout "$1" | e2e_first_hwnd)
    [ -n "$box" ] || { echo "(none)"; return; }
    e2e_probe text --hwnd "$box" | grep -v '^OK$' | grep -m1 . || true
    e2e_probe press --hwnd "$box" --id 1 >/dev/null || true
}
clicks_in() { events "$1" | grep -c '^down L' || true; }
hand=$(for i in $(seq 0 19); do echo "LeftClick x=$((720 + i * 5)) y=560 preWaitMs=0 postWaitMs=200"; done)
make_macro hand "$hand"
for ticked in 1 0; do
    e2e_start_target "hand$ticked" 700 500 320 240 || continue
    open_main
    if [ "$ticked" = 1 ]; then poke "$ID_EDIT_STOP_ON_INPUT"; fi  # 手動操作で停止
    poke "$IDC_RUN"  # 実行
    sleep 1.5
    before=$(clicks_in "hand$ticked")
    xdotool mousemove 1000 720; sleep 0.1; xdotool mousemove 990 700
    message=$(end_message 15000)
    after=$(clicks_in "hand$ticked")
    if [ "$ticked" = 1 ]; then
        if [ "$before" -ge 3 ] && [ "$message" = "中断" ] && [ "$after" -lt 20 ]; then
            e2e_pass "ticked: $before own clicks went on, the real move stopped the run with 中断 ($after clicks)"
        else e2e_fail "ticked: $before clicks before the move, message '$message', $after clicks"; fi
        poke "$ID_EDIT_SPEED_DOUBLE"  # ×2, for the restart
        sleep 0.3
    else
        if [ "$message" = "終了" ] && [ "$after" -eq 20 ]; then e2e_pass "unticked: the real move did not stop the run"
        else e2e_fail "unticked: message '$message', $after clicks"; fi
    fi
    e2e_probe close --hwnd "$main" >/dev/null || true
    e2e_probe wait-gone --exe Tappling.exe --timeout 10000 >/dev/null || true
    e2e_stop_target
    if [ "$ticked" = 1 ]; then
        stored=$("$wine" reg query 'HKCU\Software\Tappling' 2>/dev/null | tr -d '\r' |
                 awk '/REG_DWORD/ { print $1 "=" $3 }' | sort | tr '\n' ' ')
        open_main
        title=$(e2e_probe list --exe Tappling.exe | awk -F'\t' -v h="$main" '$1 == h { print $3 }')
        if [ "$stored" = "PlaybackSpeed=0xc8 StopOnManualInput=0x1 " ] && [ "$title" = "Tappling hand.TPM [×2]" ]; then
            e2e_pass "the choices survive a restart ($stored, caption '$title')"
        else e2e_fail "restart: registry '$stored', caption '$title'"; fi
        poke "$ID_EDIT_STOP_ON_INPUT"  # unticked for the next round
        poke "$ID_EDIT_SPEED_NORMAL"  # ×1
        sleep 0.3
        e2e_probe close --hwnd "$main" >/dev/null || true
        e2e_probe wait-gone --exe Tappling.exe --timeout 10000 >/dev/null || true
    fi
done
"$wine" reg delete 'HKCU\Software\Tappling' /f >/dev/null 2>&1 || true

# --- 4. "選択行から実行": with row 3 selected (a real click), the first pass of a two-pass
#        loop starts at row 3, the second at the top.
"$wine" "$bin_dir/ControlProbe.exe" 'C:\probe' >/dev/null 2>&1 &
e2e_started+=("$!")
row_point() {  # INDEX: the screen point of the row in the main window's list, from ControlProbe
    printf '1\nrowpoint\t%s\t%s\t%s\n' "$main" "$IDC_ACTION_LIST" "$1" >"$probe_dir/request.part"
    mv "$probe_dir/request.part" "$probe_dir/request"
    for _ in $(seq 1 600); do [ -f "$probe_dir/reply" ] && break; sleep 0.05; done
    tail -n +3 "$probe_dir/reply" 2>/dev/null | tr -d '\r'; rm -f "$probe_dir/reply"
}
make_macro hand "macro loopEnabled loopLimited loopCount=2
$(for i in 0 1 2 3 4; do echo "LeftClick x=$((740 + i * 40)) y=560 preWaitMs=100 postWaitMs=200"; done)"
if e2e_start_target fromrow 700 500 320 240; then
    open_main
    point=$(row_point 2)  # rows count from 0 here
    # shellcheck disable=SC2086
    [ -n "$point" ] && xdotool mousemove $point && sleep 0.3 && xdotool click 1
    sleep 1
    poke "$ID_EDIT_RUN_FROM_ROW"  # 選択行から実行
    message=$(end_message 30000)
    e2e_probe close --hwnd "$main" >/dev/null || true
    e2e_probe wait-gone --exe Tappling.exe --timeout 10000 >/dev/null || true
    e2e_stop_target
    cp "$work/fromrow.log" "$artifacts/steer-fromrow.log"
    xs=$(events fromrow | awk '$1 == "down" && $2 == "L" { printf "%s ", $3 }')
    if [ "${message%%(*}" = "終了" ] && [ "$xs" = "820 860 900 740 780 820 860 900 " ]; then
        e2e_pass "run from row 3: the first pass starts there, the second at the top"
    else e2e_fail "run from row 3: point '$point', message '$message', clicks at x '$xs'"; fi
fi

e2e_finish steer.sh
