#!/usr/bin/env bash
# End-to-end check of Linkery under Wine: registration per user and in the merged classes
# from C:\Tools, re-registration after a move, a foreign owner of ".TPM" left alone in
# either classes, each registered verb opening a macro from a folder named "a - b", and
# the registered auto-run command playing a macro until Tappling ends by itself.
# Run through the harness: tools/with-wine-display tests/e2e/linkery.sh [--no-autorun] [BIN_DIR]
# The auto-run stage runs by default; --no-autorun or LINKERY_E2E_AUTORUN=0 skips it.
set -euo pipefail

autorun=${LINKERY_E2E_AUTORUN:-1}
if [ "${1:-}" = "--no-autorun" ]; then autorun=0; shift; fi
if [ "${1:-}" = "--autorun" ]; then autorun=1; shift; fi
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"

# A registry tree as UTF-8 text (reg export writes UTF-16, free of console code pages).
export_key() {  # KEY -> stdout; empty when the key does not exist
    rm -f "$drive_c/linkery-export.reg"
    "$wine" reg export "$1" 'C:\linkery-export.reg' /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$drive_c/linkery-export.reg" | tr -d '\r' | sed '1d;/^$/d'
}

run_linkery() {  # WINDOWS_DIR UNIX_DIR; sets linkery_status
    mkdir -p "$2"
    cp "$bin_dir/Linkery.exe" "$bin_dir/Tappling.exe" "$bin_dir/TapplingFile.ico" "$2/"
    linkery_status=0
    "$wine" "$1\\Linkery.exe" >/dev/null 2>&1 || linkery_status=$?
    "$TAPPLING_WINESERVER" -w
}

# The two places written: per user (the shell's merged view prefers it on Windows) and the
# merged classes, which Wine's shell reads.
per_user='HKEY_CURRENT_USER\Software\Classes'
merged='HKEY_CLASSES_ROOT'

expected_tree() {  # ROOT WINDOWS_DIR, the directory escaped as in .reg text (\\ for a backslash)
    local program="\\\"$2\\\\Tappling.exe\\\""
    cat <<REG
[$1\\TapplingFile]
@="TapplingFile"
[$1\\TapplingFile\\DefaultIcon]
@="$2\\\\TapplingFile.ico"
[$1\\TapplingFile\\shell]
[$1\\TapplingFile\\shell\\nodlg]
@="自動実行"
[$1\\TapplingFile\\shell\\nodlg\\command]
@="$program %1-NODIG"
[$1\\TapplingFile\\shell\\open]
[$1\\TapplingFile\\shell\\open\\command]
@="$program %1"
[$1\\TapplingFile\\shell\\randameopen]
@="ランダム自動実行"
[$1\\TapplingFile\\shell\\randameopen\\command]
@="$program %1-NODR"
REG
}

check_registration() {  # LABEL WINDOWS_DIR (escaped as for expected_tree)
    local label=$1 root tpm tree
    if [ "$linkery_status" -eq 0 ]; then e2e_pass "$label: exit code 0"
    else e2e_fail "$label: exit code $linkery_status"; fi
    for root in "$per_user" "$merged"; do
        tpm=$(export_key "$root\\.TPM")
        tree=$(export_key "$root\\TapplingFile")
        if [ "$tpm" = "[$root\\.TPM]"$'\n''@="TapplingFile"' ]; then e2e_pass "$label: $root\\.TPM names TapplingFile"
        else e2e_fail "$label: $root\\.TPM is: $tpm"; fi
        if [ "$tree" = "$(expected_tree "$root" "$2")" ]; then e2e_pass "$label: exactly the seven values in $root"
        else e2e_fail "$label: $root\\TapplingFile differs:"; diff <(expected_tree "$root" "$2") <(echo "$tree") >&2 || true; fi
    done
}

# The registered command of VERB with %1 replaced by DOCUMENT, exactly as the shell would
# start it (the program in quotation marks, then the rest).
registered_command() {  # VERB DOCUMENT
    local command
    command=$(export_key "$merged\\TapplingFile\\shell\\$1\\command" | sed -n 's/^@="\(.*\)"$/\1/p' \
              | sed 's/\\"/"/g; s/\\\\/\\/g')
    printf '%s' "${command/\%1/$2}"
}

# 1. A fresh system.
run_linkery 'C:\Tools' "$drive_c/Tools"
check_registration "fresh" 'C:\\Tools'

# 2. Moved to another folder and run again: paths follow.
run_linkery 'C:\Other Place' "$drive_c/Other Place"
check_registration "moved" 'C:\\Other Place'

# 3. ".TPM" owned by another program, machine-wide or per user: exit code 2, and nothing
#    written in either place.
check_foreign() {  # LABEL ROOT_OF_THE_OWNER
    local label=$1 tpm
    run_linkery 'C:\Tools' "$drive_c/Tools"
    if [ "$linkery_status" -eq 2 ]; then e2e_pass "$label: exit code 2"
    else e2e_fail "$label: exit code $linkery_status"; fi
    tpm=$(export_key "$2\\.TPM")
    if [ "$tpm" = "[$2\\.TPM]"$'\n''@="OtherApp.Document"' ]; then e2e_pass "$label: .TPM left untouched"
    else e2e_fail "$label: .TPM is: $tpm"; fi
    if [ -z "$(export_key "$merged\\TapplingFile")$(export_key "$per_user\\TapplingFile")" ]; then
        e2e_pass "$label: nothing else written"
    else e2e_fail "$label: TapplingFile was written"; fi
}
remove_registration() {
    local root
    for root in "$merged" "$per_user"; do
        "$wine" reg delete "$root\\TapplingFile" /f >/dev/null 2>&1 || true
        "$wine" reg delete "$root\\.TPM" /f >/dev/null 2>&1 || true
    done
}
remove_registration
"$wine" reg add 'HKCR\.TPM' /ve /d 'OtherApp.Document' /f >/dev/null 2>&1
check_foreign "foreign machine-wide" "$merged"
if [ -z "$(export_key "$per_user\\.TPM")" ]; then e2e_pass "foreign machine-wide: no per-user .TPM"
else e2e_fail "foreign machine-wide: a per-user .TPM was written"; fi
remove_registration
"$wine" reg add 'HKCU\Software\Classes\.TPM' /ve /d 'OtherApp.Document' /f >/dev/null 2>&1
check_foreign "foreign per user" "$per_user"

# 4. ".TPM" present without a default value: registration proceeds.
remove_registration
"$wine" reg add 'HKCR\.TPM' /v 'Content Type' /d 'application/x-test' /f >/dev/null 2>&1
run_linkery 'C:\Tools' "$drive_c/Tools"
tree=$(export_key "$per_user\\TapplingFile")
if [ "$linkery_status" -eq 0 ] && [ "$tree" = "$(expected_tree "$per_user" 'C:\\Tools')" ]; then
    e2e_pass "no default value: registered"
else e2e_fail "no default value: exit code $linkery_status, per-user tree differs"; fi

# 5. Each registered verb, started as the shell starts it with a macro in "C:\a - b": the
#    open verb shows it in the window, the two auto-run verbs play it (one WaitOnly of
#    2 s, so a program that does not play returns far sooner) and end by themselves.
if [ "$autorun" -eq 1 ]; then
    mkdir -p "$drive_c/a - b"
    e2e_macro "$drive_c/a - b/wait.TPM" wait 2000
    document='C:\a - b\wait.TPM'
    command=$(registered_command open "$document")
    echo "open: $command"
    e2e_start_command_line verb-open "$command"
    pid=$e2e_pid
    window=$(e2e_probe wait --exe Tappling.exe --title-prefix Tappling --timeout 20000 | head -n1)
    title=$(printf '%s\n' "$window" | cut -f3)
    if [ "$title" = "Tappling wait.TPM" ]; then e2e_pass "open verb: the macro from 'a - b' is shown"
    else e2e_fail "open verb: window '$title'"; fi
    [ -n "$window" ] && e2e_probe close --hwnd "$(printf '%s\n' "$window" | cut -f1)" >/dev/null
    e2e_wait_exit "$pid" 20 || e2e_fail "open verb: Tappling did not end after WM_CLOSE"
    for verb in nodlg randameopen; do
        command=$(registered_command "$verb" "$document")
        echo "$verb: $command"
        start_ms=$(( $(date +%s%N) / 1000000 ))
        e2e_start_command_line "verb-$verb" "$command"
        e2e_wait_exit "$e2e_pid" 60; status=$?
        elapsed_ms=$(( $(date +%s%N) / 1000000 - start_ms ))
        echo "$verb: exit status $status after $elapsed_ms ms"
        if [ "$status" -eq 124 ]; then e2e_fail "$verb verb: Tappling did not end by itself within 60 s"
        elif [ "$status" -ne 0 ]; then e2e_fail "$verb verb: exit status $status"
        elif [ "$elapsed_ms" -lt 2000 ]; then e2e_fail "$verb verb: returned before the 2 s wait was played"
        else e2e_pass "$verb verb: played the macro from 'a - b' and ended by itself"; fi
    done
fi

e2e_finish linkery.sh
