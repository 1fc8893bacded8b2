#!/usr/bin/env bash
# End-to-end auto record under Wine with real X11 input from outside the program:
#   1. Tappling opens a one-record macro; "自動記録" appends (Yes to the question), the
#      hint is confirmed, the window minimizes.
#   2. xdotool clicks, double-clicks, holds, right-clicks, presses Enter, Tab, Up,
#      Ctrl+C, Ctrl+Right and Ctrl+clicks a known colour on TargetApp, then ESC.
#   3. "記録終了" is confirmed, the window is closed with Yes to the save question (the
#      overwrite save), and the saved file is compared record by record: types and
#      points exactly, waits against the target's own log of the same input.
#   4. The saved file is played back (-NODIG) against a fresh target: the same clicks
#      arrive at the same points.
#   5. A recording closed from its minimized window: the save question is answered "はい"
#      by a real X click, and the saved file holds the recorded click but not that one.
# Run through the harness: tools/with-wine-display tests/e2e/recorder.sh [BIN_DIR]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"
e2e_workdir Tappling.exe TargetApp.exe

# Waits are compared with the gaps between the same events in the target's log (both
# read GetTickCount). Each end of a gap is seen by the recorder up to one timer tick
# (10-16 ms) plus Wine's key-state cache (up to 50 ms) late, and the target logs its own
# receipt up to a tick late: 100 ms covers both ends.
tolerance=100

# The target at (300, 200), 500 x 400, painted with the pattern RGB(x & 255, y & 255, 128)
# of client coordinates; well clear of the bottom left, where Wine leaves a minimized window.
start_target() { e2e_start_target "$1" 300 200 500 400 --pattern --topmost; }  # NAME
log_events() { tr -d '\r' <"$work/$1.log"; }
# tick of the first log line (after the line matching AFTER, if given) matching PATTERN
tick_of() { log_events "$1" | awk -v p="$2" -v a="${3:-}" 'a == "" || seen { if ($0 ~ p) { print $1; exit } }
                                                           a != "" && $0 ~ a { seen = 1 }'; }
box_with() {  # TEXT [MS]: waits for Tappling's message box with that text, prints its hwnd
    local box text
    box=$(e2e_probe wait --exe Tappling.exe --title Tappling --class '#32770' --timeout "${2:-15000}" | e2e_first_hwnd)
    [ -n "$box" ] || return 1
    text=$(e2e_probe text --hwnd "$box")
    if [ "$text" != "$1" ]; then echo "message box says '$text', expected '$1'" >&2; return 1; fi
    echo "$box"
}
click() {  # BUTTON MS: one press held for MS milliseconds
    xdotool mousedown "$1"; sleep "$(printf '0.%03d' "$2")"; xdotool mouseup "$1"
}

printf 'macro\nWaitOnly x=1 y=2 preWaitMs=0 postWaitMs=0 comment="既存"\n' | e2e_build_macro "$work/rec.TPM"

# --- 1. start recording, appending to the open macro
start_target rec || exit 1
e2e_start "$work/Tappling.exe" 'C:\e2e\rec.TPM'
tappling_pid=$e2e_pid
main=$(e2e_probe wait --exe Tappling.exe --title 'Tappling rec.TPM' --timeout 20000 | e2e_first_hwnd)
[ -n "$main" ] || { e2e_fail "the main window did not open"; exit 1; }
e2e_probe press --hwnd "$main" --id "$IDC_AUTO_RECORD" >/dev/null
if box=$(box_with "編集中のデータの最後に追加しますか？"); then
    e2e_probe press --hwnd "$box" --id 6 >/dev/null  # Yes: append
    e2e_pass "append question asked"
else e2e_fail "no append question"; fi
if box=$(box_with "マウスクリックなどを記録します。終了の場合は「ESC」または「F2」を押してください。"); then
    e2e_probe press --hwnd "$box" --id 1 >/dev/null
    e2e_pass "recording hint shown"
else e2e_fail "no recording hint"; fi
sleep 4  # the window minimizes and polling starts; generous for a loaded machine

# --- 2. real input from outside
xdotool mousemove 400 300; sleep 0.3; click 1 80                                  # click
sleep 1
xdotool mousemove 450 320; sleep 0.3; click 1 80; sleep 0.1; click 1 80          # double click
sleep 1
xdotool mousemove 500 340; sleep 0.3; click 1 800                                 # held press
sleep 1
xdotool mousemove 520 360; sleep 0.3; click 3 80                                  # right click
sleep 1
xdotool key Return; sleep 0.6; xdotool key Tab; sleep 0.6; xdotool key Up; sleep 0.6
xdotool keydown ctrl; sleep 0.15; xdotool key c; sleep 0.15; xdotool keyup ctrl; sleep 0.6
xdotool keydown ctrl; sleep 0.15; xdotool keydown Right; sleep 0.1; xdotool keyup Right; sleep 0.15
xdotool keyup ctrl; sleep 0.6
xdotool mousemove 600 380; sleep 1
xdotool keydown ctrl; sleep 0.15; click 1 100; sleep 0.15; xdotool keyup ctrl     # colour capture
sleep 1
xdotool key Escape

# --- 3. the end, the save and the saved records
if box=$(box_with "記録終了"); then
    e2e_probe press --hwnd "$box" --id 1 >/dev/null
    e2e_pass "記録終了 shown"
else e2e_fail "no 記録終了 message"; fi
sleep 0.5
e2e_probe close --hwnd "$main" >/dev/null
if box=$(box_with "編集中のデータを保存しますか？"); then
    e2e_probe press --hwnd "$box" --id 6 >/dev/null  # Yes: overwrite save
else e2e_fail "no save question on close"; fi
e2e_wait_exit "$tappling_pid" 20 || e2e_fail "Tappling did not end after the save"
e2e_stop_target
cp "$work/rec.log" "$artifacts/recorder-input.log"
e2e_actions "$work/rec.TPM" x y preWaitMs postWaitMs conditionColor invertCondition comment \
    >"$artifacts/recorder-saved.txt" || e2e_fail "saved file unreadable"
# expected: TYPE X Y EXPECTED_PRE_WAIT (- when not compared)
t1=$(tick_of rec '^[0-9]+ down L 400 300$')
t2=$(tick_of rec '^[0-9]+ down L 450 320$')
t2b=$(tick_of rec '^[0-9]+ dblclk L 450 320$')
t3=$(tick_of rec '^[0-9]+ down L 500 340$')
t3u=$(tick_of rec '^[0-9]+ up L 500 340$')
t4=$(tick_of rec '^[0-9]+ down R 520 360$')
t5=$(tick_of rec '^[0-9]+ key 13$')
t6=$(tick_of rec '^[0-9]+ key 9$')
t7=$(tick_of rec '^[0-9]+ key 38$')
t8=$(tick_of rec '^[0-9]+ key 67$')
t9=$(tick_of rec '^[0-9]+ key 39$')
t10=$(tick_of rec '^[0-9]+ down L 600 380$')
colour=$(printf '0x%08X' $(( 0x80 << 16 | 180 << 8 | 44 )))  # client (300, 180): R 44, G 180, B 128
for tick in t1 t2 t2b t3 t3u t4 t5 t6 t7 t8 t9 t10; do
    if [ -z "${!tick}" ]; then
        e2e_fail "the target did not log all the input ($tick missing): $(log_events rec | tr '\n' ';')"
        printf -v "$tick" 0
    fi
done
expected="WaitOnly 1 2 0
LeftClick 400 300 -
LeftDoubleClick 450 320 $(( t2 - t1 ))
LeftDown 500 340 $(( t3 - t2b ))
LeftUp 500 340 $(( t3u - t3 ))
RightClick 520 360 $(( t4 - t3u ))
EnterKey 520 360 $(( t5 - t4 ))
TabKey 520 360 $(( t6 - t5 ))
UpKey 520 360 $(( t7 - t6 ))
CtrlC 520 360 $(( t8 - t7 ))
CtrlRight 520 360 $(( t9 - t8 ))
WaitOnly 600 380 $(( t10 - t9 - 500 ))
Condition 600 380 500"
# Each saved action against its expected line; the last problem line is the largest deviation.
report=$(paste "$artifacts/recorder-saved.txt" <(printf '%s\n' "$expected") | awk -F'\t' \
    -v tolerance="$tolerance" -v colour="$colour" -v saved="$(grep -c . "$artifacts/recorder-saved.txt")" \
    -v want="$(printf '%s\n' "$expected" | grep -c .)" '
    { n++; split($9, e, " ") }
    $1 == "" || e[1] == "" { next }
    $1 != e[1] || $2 != e[2] || $3 != e[3] { print "record " n ": " $1 " at " $2 "," $3 ", expected " e[1] " at " e[2] "," e[3] }
    e[4] != "-" { d = $4 - e[4]; if (d < 0) d = -d; if (d > deviation) deviation = d
                  if (d > tolerance) print "record " n ": pre-wait " $4 ", expected " e[4] }
    n > 1 && $5 != 0 { print "record " n ": post-wait " $5 }
    { last = $0 }
    END {
        if (saved != want) print saved " records saved, " want " expected"
        split(last, l, "\t")
        if (l[1] == "Condition" && (l[6] != colour || l[7] != 0 || l[8] != "指定色と同じ場合、次ぎへ進む"))
            print "condition: colour " l[6] " invert " l[7] " comment " l[8]
        print "largest wait deviation " deviation + 0 " ms"
    }')
echo "${report##*$'\n'}"
report=$(printf '%s\n' "$report" | grep -v '^largest wait deviation')
if [ -z "$report" ]; then e2e_pass "saved records: types, points, waits within ${tolerance} ms, the colour condition"
else e2e_fail "saved records differ:"$'\n'"$report"$'\n'"$(cat "$artifacts/recorder-saved.txt")"; fi

# --- 4. play the recording back: the same clicks at the same points (the Ctrl+click
#        became a condition and clicks nothing)
clicks() { log_events "$1" | sed -n 's/^[0-9]* \(down\|dblclk\) \([LR] [0-9]* [0-9]*\)$/\1 \2/p' |
           grep -v '^down L 600 380$' | tr '\n' ';'; }
recorded=$(clicks rec)
start_target play || exit 1
xdotool mousemove 700 650
timeout 90 "$wine" 'C:\e2e\Tappling.exe' 'C:\e2e\rec.TPM' -NODIG >/dev/null 2>&1; status=$?
sleep 0.5
e2e_stop_target
cp "$work/play.log" "$artifacts/recorder-playback.log"
played=$(clicks play)
if [ "$status" -eq 0 ] && [ -n "$recorded" ] && [ "$played" = "$recorded" ]; then
    e2e_pass "playback: the same clicks at the same points ($played)"
else e2e_fail "playback: status $status, clicks '$played', recorded '$recorded'"; fi

# --- 5. close during a recording: the recorder stops before the save question
e2e_macro "$work/close.TPM" wait 100
start_target close || exit 1
e2e_start "$work/Tappling.exe" 'C:\e2e\close.TPM'
close_pid=$e2e_pid
main=$(e2e_probe wait --exe Tappling.exe --title 'Tappling close.TPM' --timeout 20000 | e2e_first_hwnd)
[ -n "$main" ] || { e2e_fail "close: the main window did not open"; exit 1; }
e2e_probe press --hwnd "$main" --id 1033 >/dev/null
if box=$(box_with "編集中のデータの最後に追加しますか？"); then e2e_probe press --hwnd "$box" --id 6 >/dev/null
else e2e_fail "close: no append question"; fi
if box=$(box_with "マウスクリックなどを記録します。終了の場合は「ESC」または「F2」を押してください。"); then
    e2e_probe press --hwnd "$box" --id 1 >/dev/null
else e2e_fail "close: no recording hint"; fi
sleep 1
xdotool mousemove 400 300; sleep 0.3; click 1 80; sleep 0.6
e2e_stop_target  # nothing above the question but the question itself
e2e_probe close --hwnd "$main" >/dev/null  # as the minimized window's close does
if box=$(box_with "編集中のデータを保存しますか？"); then
    read -r yes_x yes_y < <(e2e_probe centre --hwnd "$box" --id 6)
    xdotool mousemove "$yes_x" "$yes_y"; sleep 0.3; click 1 80
    e2e_pass "close: the save question answered はい by a click at $yes_x,$yes_y"
else e2e_fail "close: no save question"; fi
e2e_wait_exit "$close_pid" 20 || e2e_fail "close: Tappling did not end after はい"
saved=$(e2e_tpm text "$work/close.TPM" | tail -n +2 | awk '{ print $1, $2, $3 }')
echo "close: saved $(printf '%s' "$saved" | tr '\n' ';')"
if [ "$saved" = $'WaitOnly preWaitMs=0 postWaitMs=100\nLeftClick x=400 y=300' ]; then
    e2e_pass "close: the recorded click saved, the click on はい not"
else e2e_fail "close: saved records are: $saved"; fi

e2e_finish recorder.sh
