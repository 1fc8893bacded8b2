#!/usr/bin/env bash
# End-to-end text form under Wine: tpm.exe turns a macro file into text and back, and
# Tappling.exe plays the rebuilt file (and an edited one) against TargetApp.
#   1. tpm.exe text: UTF-8 text with the Japanese comment and the jumps as action numbers.
#   2. tpm.exe build: the same bytes as the original file.
#   3. The original and the rebuilt file give the same clicks; an x edited in the text
#      moves its click.
#   4. tpm.exe check and show on the file.
# Run through the harness: tools/with-wine-display tests/e2e/textform.sh [BIN_DIR]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"
e2e_workdir Tappling.exe TargetApp.exe tpm.exe
tpm() { "$wine" 'C:\e2e\tpm.exe' "$@" 2>"$work/tpm.err"; }

clicks_of() {  # MACRO : plays it with -NODIG and prints the clicks TargetApp logged
    local name=${1%.TPM}
    e2e_start_target "$name" 700 500 320 240 || return 0
    timeout 60 "$wine" 'C:\e2e\Tappling.exe' "C:\\e2e\\$1" -NODIG >/dev/null 2>&1 || e2e_fail "$1: Tappling failed"
    sleep 0.5
    e2e_stop_target
    cp "$work/$name.log" "$artifacts/textform-$name.log"
    tr -d '\r' <"$work/$name.log" | cut -d' ' -f2- | sed -n 's/^down L //p' | tr '\n' ';'
}

# Clicks, a skip over one click and a condition looking for a colour that is not there,
# whose false branch goes on to the last click.
e2e_build_macro "$work/orig.TPM" <<'TEXT'
macro
LeftClick x=740 y=520 preWaitMs=300 postWaitMs=200 comment="最初のクリック"
Skip preWaitMs=0 postWaitMs=0 trueJump=4
LeftClick x=760 y=530 preWaitMs=100 postWaitMs=100
LeftClick x=800 y=560 preWaitMs=100 postWaitMs=200
Condition x=10 y=10 preWaitMs=100 postWaitMs=100 conditionColor=0x00FF00FF falseJump=6
LeftClick x=850 y=600 preWaitMs=100 postWaitMs=100 comment="終わり"
TEXT

# --- 1. text
tpm text 'C:\e2e\orig.TPM' >"$work/orig.txt" || e2e_fail "text: exit status $? ($(cat "$work/tpm.err"))"
cp "$work/orig.txt" "$artifacts/textform-orig.txt"
if grep -q '^LeftClick x=740 y=520 preWaitMs=300 postWaitMs=200 comment="最初のクリック"$' "$work/orig.txt" &&
   grep -q '^Skip preWaitMs=0 postWaitMs=0 trueJump=4$' "$work/orig.txt" &&
   [ "$(grep -c . "$work/orig.txt")" -eq 7 ] && ! grep -q $'\r' "$work/orig.txt"; then
    e2e_pass "text: one line per action, UTF-8, absolute jump targets"
else e2e_fail "text: unexpected text: $(cat "$work/orig.txt")"; fi

# --- 2. build gives the same bytes
tpm build 'C:\e2e\orig.txt' -o 'C:\e2e\rebuilt.TPM' || e2e_fail "build: exit status $? ($(cat "$work/tpm.err"))"
if cmp -s "$work/orig.TPM" "$work/rebuilt.TPM"; then e2e_pass "build: the same bytes as the original"
else e2e_fail "build: the rebuilt file differs from the original"; fi

# An edit in the text: the last click moves.
sed -e 's/^LeftClick x=850 y=600/LeftClick x=880 y=610/' "$work/orig.txt" >"$work/edited.txt"
tpm build 'C:\e2e\edited.txt' || e2e_fail "build edited: exit status $? ($(cat "$work/tpm.err"))"
[ -f "$work/edited.TPM" ] || e2e_fail "build edited: no edited.TPM beside the text"

# --- 3. playback: the same clicks from the original and the rebuilt file
xdotool mousemove 600 500
expected="740 520;800 560;850 600;"
original=$(clicks_of orig.TPM)
rebuilt=$(clicks_of rebuilt.TPM)
edited=$(clicks_of edited.TPM)
if [ "$original" = "$expected" ]; then e2e_pass "play: original clicks $original"
else e2e_fail "play: original clicks were '$original', expected '$expected'"; fi
if [ "$rebuilt" = "$original" ]; then e2e_pass "play: the rebuilt file clicks as the original"
else e2e_fail "play: rebuilt clicks were '$rebuilt', original '$original'"; fi
if [ "$edited" = "740 520;800 560;880 610;" ]; then e2e_pass "play: the edited click moved"
else e2e_fail "play: edited clicks were '$edited'"; fi

# --- 4. check and show
status=0
tpm check 'C:\e2e\orig.TPM' >"$work/check.txt" || status=$?
if [ "$status" -eq 0 ] && grep -q 'no findings' "$work/check.txt"; then e2e_pass "check: clean file, exit 0"
else e2e_fail "check: status $status: $(cat "$work/check.txt")"; fi
printf 'macro\nCondition falseJump=9\nShutdown\n' >"$work/bad.txt"
status=0
tpm check 'C:\e2e\bad.txt' >"$work/check.txt" || status=$?
if [ "$status" -eq 2 ] && grep -q 'error: action 1, falseJump:' "$work/check.txt" &&
   grep -q 'warning: action 2, actionType:' "$work/check.txt"; then e2e_pass "check: findings with action and field, exit 2"
else e2e_fail "check: status $status: $(cat "$work/check.txt")"; fi
# A character the code page lacks is refused, not replaced by a look-alike.
printf 'macro\nKeyboardInput inputText="caf\xc3\xa9"\n' >"$work/accent.txt"
status=0
tpm build 'C:\e2e\accent.txt' || status=$?
if [ "$status" -eq 2 ] && tr -d '\r' <"$work/tpm.err" | grep -qF 'accent.txt:2:29: error: action 1, inputText: the code page cannot hold "é"' &&
   [ ! -f "$work/accent.TPM" ]; then e2e_pass "build: a character outside the code page is an error at its line and column"
else e2e_fail "build accent: status $status: $(cat "$work/tpm.err")"; fi
tpm show 'C:\e2e\orig.TPM' >"$work/show.txt" || e2e_fail "show: exit status $?"
if tr -d '\r' <"$work/show.txt" | grep -q '^1   最初のクリック  740  520  300  左クリック'; then e2e_pass "show: the nine columns"
else e2e_fail "show: $(cat "$work/show.txt")"; fi

e2e_finish textform.sh
