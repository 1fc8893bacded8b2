#!/usr/bin/env bash
# tpm-bench.sh TPM: times tpm build, text, show and check of a macro of 100 000 actions
# (clicks, typed Japanese text with comments, waits and conditions that jump back), reading
# and writing files in a temporary folder. Prints the wall-clock seconds of each command.
set -euo pipefail
tpm=$1
actions=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$actions" 'BEGIN {
  print "macro loopEnabled"
  for (i = 0; i < n; i++) {
    k = i % 4
    if (k == 0) printf "LeftClick x=%d y=%d\n", i % 1920, i % 1080
    else if (k == 1) printf "KeyboardInput inputText=\"こんにちは %d\" comment=\"メモ\"\n", i
    else if (k == 2) print "WaitOnly postWaitMs=100"
    else printf "Condition conditionColor=0x00FF00FF trueJump=%d falseJump=%d\n", i - 2, i + 2
  }
}' >"$work/big.txt"
TIMEFORMAT='%R s'
measure() {
  local label=$1
  shift
  printf 'tpm %-6s %d actions: ' "$label" "$actions"
  { time "$@" >/dev/null 2>&1 || true; } 2>&1
}
echo "tpm_bench ($("$tpm" --version))"
measure build "$tpm" build "$work/big.txt" -o "$work/big.TPM"
measure text "$tpm" text "$work/big.TPM" -o "$work/again.txt"
measure show "$tpm" show "$work/big.TPM"
measure check "$tpm" check "$work/big.TPM"
measure check "$tpm" check "$work/big.txt"
