# Shared helpers of the end-to-end scripts; source it, then call e2e_init BIN_DIR.
# Everything runs inside tools/with-wine-display (own display, own prefix). Programs are
# started in the background and remembered by PID; only those PIDs are ever killed.

e2e_failures=0
e2e_fail() { echo "FAIL: $*" >&2; e2e_failures=$((e2e_failures + 1)); }
e2e_pass() { echo "ok: $*"; }

# e2e_init BIN_DIR: checks the harness and sets bin_dir, wine, drive_c and probe_dir.
e2e_init() {
    : "${TAPPLING_WINE:?run this through tools/with-wine-display}"
    : "${WINEPREFIX:?run this through tools/with-wine-display}"
    bin_dir=$(cd "$1" && pwd)
    wine=$TAPPLING_WINE
    drive_c="$WINEPREFIX/drive_c"
    probe_dir="$drive_c/probe"
    mkdir -p "$probe_dir"
    e2e_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    e2e_started=()
    trap e2e_kill_all EXIT
}

# e2e_workdir PROGRAM...: sets here (this folder), artifacts (the repository's, created)
# and work (C:\e2e, created) with the named programs of bin_dir copied in.
e2e_workdir() {
    here="$e2e_repo/tests/e2e"
    artifacts="$e2e_repo/artifacts"
    work="$drive_c/e2e"
    mkdir -p "$artifacts" "$work"
    local program
    for program in "$@"; do cp "$bin_dir/$program" "$work/"; done
}

# e2e_start_target NAME ARGS...: starts TargetApp (copied into work) logging to
# work/NAME.log, with ARGS (x y width height, options), and waits until it is shown;
# sets target_pid. e2e_stop_target ends it.
e2e_start_target() {
    rm -f "$work/$1.log"
    e2e_start "$work/TargetApp.exe" "C:\\e2e\\$1.log" "${@:2}"
    target_pid=$e2e_pid
    for _ in $(seq 1 200); do
        grep -q ' ready ' "$work/$1.log" 2>/dev/null && return 0
        sleep 0.1
    done
    e2e_fail "$1: TargetApp did not start"
    return 1
}
e2e_stop_target() {
    if [ -n "${target_pid:-}" ]; then kill "$target_pid" 2>/dev/null || true; wait "$target_pid" 2>/dev/null || true; fi
    target_pid=""
}

# e2e_finish NAME: prints the verdict and returns the script's exit status.
e2e_finish() {
    if [ "$e2e_failures" -ne 0 ]; then echo "$1: $e2e_failures failure(s)" >&2; return 1; fi
    echo "$1: all checks passed"
}

# e2e_macro UNIX_PATH KIND: writes a macro file. KIND: demo, wait MS, empty-list,
# no-bytes, truncated, wrong-tag, version N.
e2e_macro() {
    python3 - "$e2e_repo/tools/make-demo-macro" "$@" <<'PY'
import runpy, sys
m = runpy.run_path(sys.argv[1])
path, kind, arg = sys.argv[2], sys.argv[3], (sys.argv[4] if len(sys.argv) > 4 else "")
waits = lambda n: [m["record"](9, pre_wait=0, post_wait=int(arg or 100), comment="待機%d" % i) for i in range(n)]
data = {
    "demo": lambda: m["demo"](),
    "wait": lambda: m["macro"](waits(1)),
    "three-waits": lambda: m["macro"](waits(3)),
    "empty-list": lambda: m["macro"]([]),
    "no-bytes": lambda: b"",
    "truncated": lambda: m["macro"](waits(3))[:-10],
    "wrong-tag": lambda: m["string"]("MouseActioN") + m["int32"](1202, 0, 0, 1, 0),
    "version": lambda: m["string"]("MouseAction") + m["int32"](int(arg), 0, 0, 1, 0),
}[kind]()
open(path, "wb").write(data)
PY
}

# e2e_start PROGRAM ARGS...: starts a Windows program in the background; sets e2e_pid.
e2e_start() {
    "$wine" "$@" >/dev/null 2>&1 &
    e2e_pid=$!
    e2e_started+=("$e2e_pid")
}

# e2e_wait_exit PID SECONDS: the program's exit status, or 124 after killing it when it
# has not ended in time.
e2e_wait_exit() {
    local pid=$1 limit=$(( $2 * 10 )) i=0
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$i" -ge "$limit" ]; then
            kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
            return 124
        fi
        sleep 0.1; i=$((i + 1))
    done
    local status=0
    wait "$pid" 2>/dev/null || status=$?
    return "$status"
}

e2e_kill_all() {
    local pid
    for pid in "${e2e_started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}

# e2e_probe COMMAND ARGS...: runs WindowProbe; its output lines go to stdout, its exit
# status is returned.
e2e_probe() {
    local out="$probe_dir/out.txt" status=0
    rm -f "$out"
    "$wine" "$bin_dir/WindowProbe.exe" "$@" --out 'C:\probe\out.txt' >/dev/null 2>&1 || status=$?
    [ -f "$out" ] && tr -d '\r' <"$out"
    return "$status"
}

# The first field (hwnd) of the first line.
e2e_first_hwnd() { head -n1 | cut -f1; }
