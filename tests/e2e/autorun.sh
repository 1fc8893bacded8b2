#!/usr/bin/env bash
# End-to-end auto-runs on a busy machine: 20 short "-NODIG" runs in a row must each play
# to the end (the last record clicks TargetApp, so the target's log counts the finished
# runs), while two busy loops of our own keep the processors loaded. Then a restore of
# the minimized window, as the user does it from the task bar, must still stop a run.
# Run through the harness: tools/with-wine-display tests/e2e/autorun.sh [BIN_DIR]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"

runs=${AUTORUN_E2E_RUNS:-20}
work="$drive_c/autorun"
mkdir -p "$work"
cp "$bin_dir/Tappling.exe" "$bin_dir/TargetApp.exe" "$work/"

# A wait long enough for a stray restore after the minimize to be seen, then a click on
# the target (700, 500, 320 x 240).
for wait in short:400 long:8000; do
    printf 'macro\nWaitOnly preWaitMs=0 postWaitMs=%s\nLeftClick x=800 y=560 preWaitMs=0 postWaitMs=50\n' \
        "${wait#*:}" | e2e_build_macro "$work/${wait%:*}.TPM"
done

"$wine" 'C:\autorun\TargetApp.exe' 'C:\autorun\target.log' 700 500 320 240 >/dev/null 2>&1 &
e2e_started+=("$!")
for _ in $(seq 1 200); do grep -q ' ready ' "$work/target.log" 2>/dev/null && break; sleep 0.1; done
clicks() { tr -d '\r' <"$work/target.log" 2>/dev/null | grep -c ' down L ' || true; }

# The load: two busy loops, bounded in time and ended by their PIDs.
load_pids=()
for _ in 1 2; do
    timeout 240 sh -c 'while :; do :; done' &
    load_pids+=("$!")
done
stop_load() { local pid; for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done; load_pids=(); }
trap 'stop_load; e2e_kill_all' EXIT

# 1. Short auto-runs in a row under load: every one plays to its end.
played=0
started=$(date +%s)
for run in $(seq 1 "$runs"); do
    before=$(clicks)
    t0=$(( $(date +%s%N) / 1000000 ))
    status=0
    timeout 60 "$wine" 'C:\autorun\Tappling.exe' 'C:\autorun\short.TPM' -NODIG >/dev/null 2>&1 || status=$?
    ms=$(( $(date +%s%N) / 1000000 - t0 ))
    for _ in $(seq 1 20); do [ "$(clicks)" -gt "$before" ] && break; sleep 0.05; done
    if [ "$status" -eq 0 ] && [ "$(clicks)" -gt "$before" ]; then
        played=$((played + 1))
    else
        echo "run $run: stopped before its end (status $status, $ms ms)"
    fi
done
echo "auto-runs under load: $played of $runs played to the end ($(( $(date +%s) - started )) s)"
if [ "$played" -eq "$runs" ]; then e2e_pass "under load: $runs of $runs auto-runs played to the end"
else e2e_fail "under load: only $played of $runs auto-runs played to the end"; fi
stop_load

# 2. The user restores the minimized window during a run: the run stops (the click never
#    comes) and the auto-run window closes itself.
before=$(clicks)
e2e_start "$work/Tappling.exe" 'C:\autorun\long.TPM' -NODIG
pid=$e2e_pid
hwnd=$(e2e_probe wait --exe Tappling.exe --title Tappling --class '#32770' --timeout 20000 | e2e_first_hwnd)
if [ -z "$hwnd" ]; then
    e2e_fail "user restore: no main window"
else
    sleep 1  # the run has started and minimized the window
    e2e_probe restore --hwnd "$hwnd" >/dev/null || e2e_fail "user restore: could not restore the window"
    e2e_wait_exit "$pid" 6; status=$?
    if [ "$status" -eq 124 ]; then e2e_fail "user restore: the run went on"
    elif [ "$(clicks)" -ne "$before" ]; then e2e_fail "user restore: the run played to its end"
    else e2e_pass "user restore: the run stopped and the window closed (status $status)"; fi
fi

e2e_finish autorun.sh
