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
    # The programs' control and command ids as resource.h names them: $IDC_LOOP, $ID_FILE_SAVE...
    local name value
    while read -r _ name value _; do
        declare -g "$name=$value"
    done < <(grep -E '^#define +[A-Z][A-Z0-9_]* +[0-9]+' "$e2e_repo/src/resources/resource.h")
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

# e2e_tpm ARGS...: the native tpm of build/native (tools/test builds it before these scripts).
e2e_tpm() {
    local tpm="$e2e_repo/build/native/bin/tpm"
    [ -x "$tpm" ] || { echo "e2e: $tpm is missing (cmake --build --preset native --target tpm)" >&2; return 1; }
    "$tpm" "$@"
}

# e2e_build_macro UNIX_PATH: writes the macro file of the text form read from stdin.
e2e_build_macro() {
    local text="$1.txt"
    cat >"$text"
    e2e_tpm build "$text" -o "$1" || e2e_fail "tpm build $1 failed"
    rm -f "$text"
}

# e2e_actions UNIX_PATH FIELD...: one line per action of the macro file, its type name and
# the named fields (as tpm text writes them, defaults filled in), tab-separated.
e2e_actions() {
    local path=$1; shift
    e2e_tpm text "$path" | awk -v names="$*" '
        BEGIN { n = split(names, wanted, " ")
                split("x=0 y=0 preWaitMs=500 postWaitMs=500 repeatCount=1 conditionColor=0x00000000 comment= inputText= filePath=", d, " ")
                for (i in d) { eq = index(d[i], "="); base[substr(d[i], 1, eq - 1)] = substr(d[i], eq + 1) } }
        NR > 1 {
            delete f; for (k in base) f[k] = base[k]
            rest = substr($0, length($1) + 2)
            while (rest != "") {
                if (match(rest, /^[A-Za-z0-9]+="([^"\\]|\\.)*"/)) quoted = 1
                else if (match(rest, /^[A-Za-z0-9]+(=[^ ]*)?/)) quoted = 0
                else break
                token = substr(rest, 1, RLENGTH); rest = substr(rest, RLENGTH + 1); sub(/^ +/, "", rest)
                eq = index(token, "=")
                if (eq == 0) f[token] = 1
                else f[substr(token, 1, eq - 1)] = substr(token, eq + 1 + quoted, length(token) - eq - 2 * quoted)
            }
            line = $1; for (i = 1; i <= n; ++i) line = line "\t" (wanted[i] in f ? f[wanted[i]] : 0)
            print line
        }'
}

# e2e_macro UNIX_PATH KIND: writes a macro file. KIND: wait MS, three-waits, empty-list,
# no-bytes, truncated, wrong-tag, version N; the broken ones are a built file with a few
# bytes changed (the tag is bytes 1-11, the version the int32 at byte 12).
e2e_macro() {
    local path=$1 kind=$2 arg=${3:-}
    case "$kind" in
        wait) printf 'macro\nWaitOnly preWaitMs=0 postWaitMs=%s comment="待機0"\n' "${arg:-100}" | e2e_build_macro "$path" ;;
        three-waits | truncated)
            { echo macro; printf 'WaitOnly preWaitMs=0 postWaitMs=100 comment="待機%s"\n' 0 1 2; } | e2e_build_macro "$path"
            if [ "$kind" = truncated ]; then truncate -s -10 "$path"; fi ;;
        empty-list) echo macro | e2e_build_macro "$path" ;;
        no-bytes) : >"$path" ;;
        wrong-tag) echo macro | e2e_build_macro "$path"; printf 'N' | e2e_patch "$path" 11 ;;
        version) echo macro | e2e_build_macro "$path"; e2e_int32 "$arg" | e2e_patch "$path" 12 ;;
        *) e2e_fail "e2e_macro: unknown kind $kind"; return 1 ;;
    esac
}
# e2e_patch FILE OFFSET: overwrites the file's bytes at OFFSET with stdin.
e2e_patch() { dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
# e2e_int32 N: N as four little-endian bytes.
e2e_int32() {
    local n=$(( $1 & 0xFFFFFFFF ))
    # shellcheck disable=SC2059  # the format is built from the bytes
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(( n & 255 )) $(( n >> 8 & 255 )) $(( n >> 16 & 255 )) $(( n >> 24 )))"
}

# e2e_start PROGRAM ARGS...: starts a Windows program in the background; sets e2e_pid.
e2e_start() {
    "$wine" "$@" >/dev/null 2>&1 &
    e2e_pid=$!
    e2e_started+=("$e2e_pid")
}

# e2e_start_command_line NAME COMMAND_LINE: starts a Windows command line verbatim, as
# the shell or a shortcut would (wine itself would re-quote the arguments), through a
# batch file C:\NAME.bat whose exit status is the program's; sets e2e_pid.
e2e_start_command_line() {
    printf '@%s\r\nexit /b %%errorlevel%%\r\n' "$2" | iconv -f UTF-8 -t CP932 >"$drive_c/$1.bat"
    e2e_start cmd /c "C:\\$1.bat"
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
