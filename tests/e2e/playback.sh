#!/usr/bin/env bash
# End-to-end playback under Wine: Tappling.exe plays macro files against TargetApp, which
# logs the clicks, keys and pasted text it receives with screen coordinates.
#   1. -NODIG: clicks at the right points in order, text arriving by paste with Enter
#      after it, colour conditions taking the right branches, ExecuteFile starting a
#      program; Tappling then ends by itself and puts the pointer back.
#   2. -NODR: clicks scattered within 2 pixels of their point.
#   3. -ONDIG: the main window opens showing the rows (read back by ListProbe; a
#      screenshot is kept in artifacts/).
# Run through the harness: tools/with-wine-display tests/e2e/playback.sh [BIN_DIR]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"
e2e_workdir Tappling.exe TargetApp.exe ListProbe.exe

events() { tr -d '\r' <"$work/$1.log" | cut -d' ' -f2-; }  # the log without its tick column

run_tappling() {  # MACRO OPTION : plays until Tappling ends (60 s at most); sets status
    status=0
    timeout 60 "$wine" 'C:\e2e\Tappling.exe' "C:\\e2e\\$1" "$2" >/dev/null 2>&1 || status=$?
}

# --- 1. -NODIG against a target window at (700, 500), 320 x 240, with a red pixel at
#        client (50, 50) = screen (750, 550). The run minimizes the main window (to the
#        bottom left), so the target could stand anywhere.
red=255        # COLORREF 0x000000FF
green=65280    # COLORREF 0x0000FF00
e2e_build_macro "$work/play.TPM" <<TEXT
macro
LeftClick x=740 y=520 preWaitMs=300 postWaitMs=200
LeftClick x=800 y=560 preWaitMs=100 postWaitMs=200
KeyboardInput preWaitMs=100 postWaitMs=300 inputText="hello e2e" newlineAfterInput
Condition x=750 y=550 preWaitMs=100 postWaitMs=100 conditionColor=$(printf '0x%08X' $red) falseJump=7
LeftClick x=850 y=530 preWaitMs=100 postWaitMs=100
Skip preWaitMs=0 postWaitMs=0 trueJump=8
LeftClick x=860 y=600 preWaitMs=100 postWaitMs=100
Condition x=750 y=550 preWaitMs=100 postWaitMs=100 conditionColor=$(printf '0x%08X' $green) falseJump=11
LeftClick x=870 y=540 preWaitMs=100 postWaitMs=100
Skip preWaitMs=0 postWaitMs=0 trueJump=12
LeftClick x=880 y=610 preWaitMs=100 postWaitMs=100
ExecuteFile preWaitMs=100 postWaitMs=1500 filePath="C:\\\\e2e\\\\started.bat"
TEXT
printf 'echo ran> C:\\e2e\\started.txt\r\n' >"$work/started.bat"
rm -f "$work/started.txt"
if e2e_start_target play 700 500 320 240 --dot 50 50 $red; then
    xdotool mousemove 600 500
    run_tappling play.TPM -NODIG
    sleep 1
    pointer=$(xdotool getmouselocation | sed -n 's/^x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/p')
    e2e_stop_target
    cp "$work/play.log" "$artifacts/playback-play.log"
    if [ "$status" -eq 0 ]; then e2e_pass "-NODIG: Tappling ended by itself"; else e2e_fail "-NODIG: exit status $status"; fi
    clicks=$(events play | sed -n 's/^down L //p' | tr '\n' ';')
    expected="740 520;800 560;850 530;880 610;"
    if [ "$clicks" = "$expected" ]; then e2e_pass "-NODIG: clicks in order at the right points"
    else e2e_fail "-NODIG: clicks were '$clicks', expected '$expected'"; fi
    if events play | grep -qx 'edit hello e2e'; then e2e_pass "-NODIG: text arrived by paste"
    else e2e_fail "-NODIG: no pasted text in the log"; fi
    # Enter (VK 13) follows the paste
    if events play | awk '/^edit hello e2e$/ {seen=1} seen && /^key 13$/ {ok=1} END {exit ok ? 0 : 1}'; then
        e2e_pass "-NODIG: Enter after the text"
    else e2e_fail "-NODIG: no Enter after the pasted text"; fi
    if [ -f "$work/started.txt" ]; then e2e_pass "-NODIG: ExecuteFile started the program"
    else e2e_fail "-NODIG: ExecuteFile did not start the program"; fi
    if [ "$pointer" = "600 500" ]; then e2e_pass "-NODIG: pointer put back"
    else e2e_fail "-NODIG: pointer at '$pointer', expected '600 500'"; fi
fi

# --- 2. -NODR: six clicks at (800, 560) land within 2 pixels of it (a second click close
#        to the first arrives as a double click).
printf 'macro\nLeftClick x=800 y=560 preWaitMs=100 postWaitMs=100 repeatCount=6\n' | e2e_build_macro "$work/random.TPM"
if e2e_start_target random 700 500 320 240; then
    run_tappling random.TPM -NODR
    sleep 0.5
    e2e_stop_target
    cp "$work/random.log" "$artifacts/playback-random.log"
    points=$(events random | sed -n 's/^\(down\|dblclk\) L //p')
    count=$(printf '%s\n' "$points" | grep -c . || true)
    outside=$(printf '%s\n' "$points" | awk 'NF == 2 { dx = $1 - 800; dy = $2 - 560;
        if (dx < -2 || dx > 2 || dy < -2 || dy > 2) n++ } END { print n + 0 }')
    if [ "$status" -eq 0 ] && [ "$count" -eq 6 ] && [ "$outside" -eq 0 ]; then
        e2e_pass "-NODR: 6 clicks within 2 pixels ($(printf '%s' "$points" | tr '\n' ';'))"
    else e2e_fail "-NODR: status $status, $count clicks, $outside outside: $(printf '%s' "$points" | tr '\n' ';')"; fi
fi

# --- 3. -ONDIG: the window opens with the rows; ListProbe reads them and closes it.
e2e_build_macro "$work/rows.TPM" <<'TEXT'
macro loopEnabled loopLimited loopCount=3
LeftClick x=11 y=22 preWaitMs=1500 comment="クリック"
WaitOnly x=5 y=6 firstLoopOnly
TEXT
"$wine" 'C:\e2e\Tappling.exe' 'C:\e2e\rows.TPM' -ONDIG >/dev/null 2>&1 &
tappling_pid=$!
rows=""
for _ in $(seq 1 100); do
    rm -f "$work/rows.txt"
    "$wine" 'C:\e2e\ListProbe.exe' 'Tappling rows.TPM' 'C:\e2e\rows.txt' >/dev/null 2>&1 || true
    [ -s "$work/rows.txt" ] && { rows=$(tr -d '\r' <"$work/rows.txt"); break; }
    sleep 0.2
done
sleep 1
import -window root "$artifacts/playback-ondig.png" 2>/dev/null || true
"$wine" 'C:\e2e\ListProbe.exe' 'Tappling rows.TPM' --close >/dev/null 2>&1 || true
for _ in $(seq 1 50); do kill -0 "$tappling_pid" 2>/dev/null || break; sleep 0.2; done
kill "$tappling_pid" 2>/dev/null || true
wait "$tappling_pid" 2>/dev/null || true
printf '%s\n' "$rows" >"$artifacts/playback-ondig-rows.txt"
first=$(printf '%s\n' "$rows" | sed -n 1p)
second=$(printf '%s\n' "$rows" | sed -n 2p)
if [ "$(printf '%s\n' "$rows" | grep -c .)" -eq 2 ] && [[ "$first" == "1|クリック|11|22|1500|"*"|500|1|" ]] &&
   [[ "$second" == "2||-|-|500|"*"|500|1|○" ]]; then
    e2e_pass "-ONDIG: the window shows the rows"
else e2e_fail "-ONDIG: rows were: $rows"; fi

e2e_finish playback.sh
