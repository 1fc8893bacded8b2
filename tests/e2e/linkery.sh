#!/usr/bin/env bash
# End-to-end check of Linkery under Wine: registration from C:\Tools, re-registration
# after a move, a foreign owner of ".TPM" left alone.
# and the registered auto-run command playing a macro until Tappling ends by itself.
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

run_linkery() {  # WINDOWS_DIR UNIX_DIR
    mkdir -p "$2"
    cp "$bin_dir/Linkery.exe" "$bin_dir/Tappling.exe" "$bin_dir/TapplingFile.ico" "$2/"
    "$wine" "$1\\Linkery.exe" >/dev/null 2>&1
    "$TAPPLING_WINESERVER" -w
}

expected_tree() {  # WINDOWS_DIR [PROGRAM], escaped as in .reg text (\\ for a backslash, \" for a quote)
    local program=${2:-$1\\\\Tappling.exe}
    cat <<REG
[HKEY_CLASSES_ROOT\\TapplingFile]
@="TapplingFile"
[HKEY_CLASSES_ROOT\\TapplingFile\\DefaultIcon]
@="$1\\\\TapplingFile.ico"
[HKEY_CLASSES_ROOT\\TapplingFile\\shell]
[HKEY_CLASSES_ROOT\\TapplingFile\\shell\\nodlg]
@="自動実行"
[HKEY_CLASSES_ROOT\\TapplingFile\\shell\\nodlg\\command]
@="$program %1-NODIG"
[HKEY_CLASSES_ROOT\\TapplingFile\\shell\\open]
[HKEY_CLASSES_ROOT\\TapplingFile\\shell\\open\\command]
@="$program %1"
[HKEY_CLASSES_ROOT\\TapplingFile\\shell\\randameopen]
@="ランダム自動実行"
[HKEY_CLASSES_ROOT\\TapplingFile\\shell\\randameopen\\command]
@="$program %1-NODR"
REG
}

check_registration() {  # LABEL WINDOWS_DIR [PROGRAM] (escaped as for expected_tree)
    local tpm tree
    tpm=$(export_key 'HKCR\.TPM')
    tree=$(export_key 'HKCR\TapplingFile')
    local label=$1; shift
    if [ "$tpm" = $'[HKEY_CLASSES_ROOT\\.TPM]\n@="TapplingFile"' ]; then e2e_pass "$label: .TPM names TapplingFile"
    else e2e_fail "$label: .TPM is: $tpm"; fi
    if [ "$tree" = "$(expected_tree "$@")" ]; then e2e_pass "$label: exactly the seven TapplingFile values"
    else e2e_fail "$label: TapplingFile tree differs:"; diff <(expected_tree "$@") <(echo "$tree") >&2 || true; fi
}

# 1. A fresh system.
run_linkery 'C:\Tools' "$drive_c/Tools"
check_registration "fresh" 'C:\\Tools'

# 2. Moved to another folder and run again: paths follow. A blank in the folder's name
#    makes the commands quote the program path.
run_linkery 'C:\Other Place' "$drive_c/Other Place"
check_registration "moved" 'C:\\Other Place' '\"C:\\Other Place\\Tappling.exe\"'

# 3. ".TPM" owned by another program: untouched, and no TapplingFile key appears.
"$wine" reg delete 'HKCR\TapplingFile' /f >/dev/null 2>&1
"$wine" reg add 'HKCR\.TPM' /ve /d 'OtherApp.Document' /f >/dev/null 2>&1
run_linkery 'C:\Tools' "$drive_c/Tools"
tpm=$(export_key 'HKCR\.TPM')
if [ "$tpm" = $'[HKEY_CLASSES_ROOT\\.TPM]\n@="OtherApp.Document"' ]; then e2e_pass "foreign: .TPM left untouched"
else e2e_fail "foreign: .TPM is: $tpm"; fi
if [ -z "$(export_key 'HKCR\TapplingFile')" ]; then e2e_pass "foreign: nothing else written"
else e2e_fail "foreign: TapplingFile was written"; fi

# 4. ".TPM" present without a default value: registration proceeds.
"$wine" reg delete 'HKCR\.TPM' /f >/dev/null 2>&1
"$wine" reg add 'HKCR\.TPM' /v 'Content Type' /d 'application/x-test' /f >/dev/null 2>&1
run_linkery 'C:\Tools' "$drive_c/Tools"
tree=$(export_key 'HKCR\TapplingFile')
if [ "$tree" = "$(expected_tree 'C:\\Tools')" ]; then e2e_pass "no default value: registered"
else e2e_fail "no default value: TapplingFile tree differs"; fi

# 5. The registered auto-run command, with %1 replaced by a macro file's path, plays the
#    macro (one WaitOnly of 3 s, so a program that does not play returns far sooner) and
#    ends by itself.
if [ "$autorun" -eq 1 ]; then
    mkdir -p "$drive_c/m"
    e2e_macro "$drive_c/m/wait.TPM" wait 3000
    # From the .reg text to the command, then split as the shell does: a quoted or a
    # blank-free program path, then the arguments.
    command=$(export_key 'HKCR\TapplingFile\shell\nodlg\command' | sed -n 's/^@="\(.*\)"$/\1/p' \
              | sed 's/\\"/"/g; s/\\\\/\\/g')
    command=${command/\%1/'C:\m\wait.TPM'}
    if [ "${command:0:1}" = '"' ]; then
        program=${command#\"}; program=${program%%\"*}; arguments=${command#\"*\" }
    else
        program=${command%% *}; arguments=${command#* }
    fi
    echo "auto-run: $program | $arguments"
    start_ms=$(( $(date +%s%N) / 1000000 ))
    status=0
    timeout 60 "$wine" "$program" "$arguments" >/dev/null 2>&1 || status=$?
    elapsed_ms=$(( $(date +%s%N) / 1000000 - start_ms ))
    echo "auto-run: exit status $status after $elapsed_ms ms"
    if [ "$status" -eq 124 ]; then e2e_fail "auto-run: Tappling did not end by itself within 60 s"
    elif [ "$status" -ne 0 ]; then e2e_fail "auto-run: exit status $status"
    elif [ "$elapsed_ms" -lt 3000 ]; then e2e_fail "auto-run: returned before the 3 s wait was played"
    else e2e_pass "auto-run: played the macro and ended by itself"; fi
fi

e2e_finish linkery.sh
