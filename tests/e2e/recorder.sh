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
# Run through the harness: tools/with-wine-display tests/e2e/recorder.sh [BIN_DIR]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/w/bin}"
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

python3 "$here/make-macro.py" "$work/rec.TPM" \
    '{"records": [{"type": 9, "x": 1, "y": 2, "preWaitMs": 0, "postWaitMs": 0, "comment": "既存"}]}'

# --- 1. start recording, appending to the open macro
start_target rec || exit 1
e2e_start "$work/Tappling.exe" 'C:\e2e\rec.TPM'
tappling_pid=$e2e_pid
main=$(e2e_probe wait --exe Tappling.exe --title 'Tappling rec.TPM' --timeout 20000 | e2e_first_hwnd)
[ -n "$main" ] || { e2e_fail "the main window did not open"; exit 1; }
e2e_probe press --hwnd "$main" --id 1033 >/dev/null
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
python3 -c 'import json, runpy, sys
for r in runpy.run_path(sys.argv[1])["read"](sys.argv[2])["records"]: print(json.dumps(r, ensure_ascii=False))' \
    "$here/read-macro.py" "$work/rec.TPM" >"$artifacts/recorder-saved.jsonl" || e2e_fail "saved file unreadable"

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
colour=$(( 0x80 << 16 | 180 << 8 | 44 ))  # client (300, 180): R 44, G 180, B 128
for tick in t1 t2 t2b t3 t3u t4 t5 t6 t7 t8 t9 t10; do
    if [ -z "${!tick}" ]; then
        e2e_fail "the target did not log all the input ($tick missing): $(log_events rec | tr '\n' ';')"
        printf -v "$tick" 0
    fi
done
expected="9 1 2 0
0 400 300 -
1 450 320 $(( t2 - t1 ))
3 500 340 $(( t3 - t2b ))
2 500 340 $(( t3u - t3 ))
4 520 360 $(( t4 - t3u ))
15 520 360 $(( t5 - t4 ))
16 520 360 $(( t6 - t5 ))
17 520 360 $(( t7 - t6 ))
11 520 360 $(( t8 - t7 ))
25 520 360 $(( t9 - t8 ))
9 600 380 $(( t10 - t9 - 500 ))
22 600 380 500"
report=$(python3 - "$artifacts/recorder-saved.jsonl" "$tolerance" "$colour" "$expected" <<'PY'
import json, sys
saved = [json.loads(l) for l in open(sys.argv[1]) if l.strip()]
tolerance, colour = int(sys.argv[2]), int(sys.argv[3])
expected = [l.split() for l in sys.argv[4].splitlines()]
problems, deviation = [], 0
if len(saved) != len(expected):
    problems.append("%d records saved, %d expected" % (len(saved), len(expected)))
for i, (r, e) in enumerate(zip(saved, expected)):
    if [r["type"], r["x"], r["y"]] != [int(e[0]), int(e[1]), int(e[2])]:
        problems.append("record %d: type %d at %d,%d, expected %s at %s,%s" % (i + 1, r["type"], r["x"], r["y"], *e[:3]))
    if e[3] != "-":
        deviation = max(deviation, abs(r["preWaitMs"] - int(e[3])))
    if e[3] != "-" and abs(r["preWaitMs"] - int(e[3])) > tolerance:
        problems.append("record %d: pre-wait %d, expected %s" % (i + 1, r["preWaitMs"], e[3]))
    if i > 0 and r["postWaitMs"] != 0:
        problems.append("record %d: post-wait %d" % (i + 1, r["postWaitMs"]))
last = saved[-1] if saved else {}
if last.get("type") == 22 and (last["conditionColor"], last["invertCondition"], last["comment"]) != \
        (colour, 0, "指定色と同じ場合、次ぎへ進む"):
    problems.append("condition: colour %#x invert %d comment %s" % (last["conditionColor"], last["invertCondition"], last["comment"]))
print("\n".join(problems + ["largest wait deviation %d ms" % deviation]))
PY
)
echo "${report##*$'\n'}"
report=$(printf '%s\n' "$report" | grep -v '^largest wait deviation')
if [ -z "$report" ]; then e2e_pass "saved records: types, points, waits within ${tolerance} ms, the colour condition"
else e2e_fail "saved records differ:"$'\n'"$report"$'\n'"$(cat "$artifacts/recorder-saved.jsonl")"; fi

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

e2e_finish recorder.sh
