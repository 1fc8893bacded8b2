#!/usr/bin/env bash
# End-to-end start-up of Tappling under Wine: files that are no macro file end the
# program silently, an unreadable macro file shows its error and ends without the main
# window, a valid file opens the window with the file loaded.
# Run through the harness: tools/with-wine-display tests/e2e/startup.sh [BIN_DIR]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"

tappling="$bin_dir/Tappling.exe"
mkdir -p "$drive_c/m"
e2e_macro "$drive_c/m/wrongtag.TPM" wrong-tag
e2e_macro "$drive_c/m/v999.TPM" version 999
e2e_macro "$drive_c/m/lower.tpm" three-waits
e2e_macro "$drive_c/m/empty.TPM" no-bytes
e2e_macro "$drive_c/m/cut.TPM" truncated
e2e_macro "$drive_c/m/a.TPM" three-waits

# Exit codes of Tappling: 0 after the main window, 1 no macro file, 2 read error.

# 1. No macro file: ends by itself, without any window.
for case in 'C:\m\missing.TPM' 'C:\m\wrongtag.TPM' 'C:\m\v999.TPM -NODIG' 'C:\m\lower.tpm' 'C:\my-dir\a.TPM -NODIG'; do
    # shellcheck disable=SC2086  # the path and the option are two words of the command line
    e2e_start "$tappling" $case
    pid=$e2e_pid
    seen=$(e2e_probe wait --exe Tappling.exe --timeout 1500)
    e2e_wait_exit "$pid" 30; status=$?
    if [ -n "$seen" ]; then e2e_fail "silent end: $case showed a window: $seen"
    elif [ "$status" -eq 124 ]; then e2e_fail "silent end: $case did not end within 30 s"
    elif [ "$status" -ne 1 ]; then e2e_fail "silent end: $case ended with status $status"
    else e2e_pass "silent end: $case"; fi
done

# 2. Read error: the message box names the problem; after OK the program ends without
#    the main window.
for case in 'C:\m\empty.TPM' 'C:\m\cut.TPM -NODIG'; do
    # shellcheck disable=SC2086
    e2e_start "$tappling" $case
    pid=$e2e_pid
    box=$(e2e_probe wait --exe Tappling.exe --title Tappling --class '#32770' --timeout 20000 | e2e_first_hwnd)
    if [ -z "$box" ]; then
        e2e_fail "read error: $case showed no message box"
        e2e_wait_exit "$pid" 1
        continue
    fi
    text=$(e2e_probe text --hwnd "$box")
    echo "read error: $case says: $text"
    if [ -z "$text" ] || [ "$text" = "Tappling" ]; then e2e_fail "read error: $case: unexpected message '$text'"; fi
    e2e_probe press --hwnd "$box" --id 1 >/dev/null || e2e_fail "read error: $case: no OK button"
    after=$(e2e_probe wait-gone --hwnd "$box" --exe Tappling.exe --title Tappling --timeout 3000; \
            e2e_probe wait --exe Tappling.exe --timeout 1000)
    e2e_wait_exit "$pid" 20; status=$?
    if [ -n "$after" ]; then e2e_fail "read error: $case: a window remained after OK: $after"
    elif [ "$status" -ne 2 ]; then e2e_fail "read error: $case ended with status $status"
    else e2e_pass "read error: $case shown, ended without the main window"; fi
done

# 3. Quoted paths, as a drop on the program or "Open with" passes them, and a folder with a
#    dash: the file is found and shown.
mkdir -p "$drive_c/My Macros" "$drive_c/a-b"
cp "$drive_c/m/a.TPM" "$drive_c/My Macros/a.TPM"
cp "$drive_c/m/a.TPM" "$drive_c/a-b/x.TPM"
cp "$tappling" "$drive_c/Tappling.exe"
for case in '"C:\My Macros\a.TPM"|Tappling a.TPM' '"C:\a-b\x.TPM"|Tappling x.TPM' 'C:\a-b\x.TPM -ONDIG|Tappling x.TPM'; do
    arguments=${case%|*} expected=${case#*|}
    e2e_start_command_line quoted "C:\Tappling.exe $arguments"
    pid=$e2e_pid
    window=$(e2e_probe wait --exe Tappling.exe --title-prefix Tappling --timeout 20000 | head -n1)
    title=$(printf '%s\n' "$window" | cut -f3)
    if [ "$title" = "$expected" ]; then e2e_pass "found: $arguments opens '$title'"
    else e2e_fail "found: $arguments shows '$title'"; fi
    [ -n "$window" ] && e2e_probe close --hwnd "$(printf '%s\n' "$window" | cut -f1)" >/dev/null
    e2e_wait_exit "$pid" 20 || e2e_fail "found: $arguments did not end after WM_CLOSE"
done

# 4. A valid file with -ONDIG: the main window opens with the file loaded and closes on
#    WM_CLOSE.
e2e_start "$tappling" 'C:\m\a.TPM' -ONDIG
pid=$e2e_pid
window=$(e2e_probe wait --exe Tappling.exe --title-prefix Tappling --timeout 20000 | head -n1)
hwnd=$(printf '%s\n' "$window" | cut -f1)
if [ -z "$hwnd" ]; then
    e2e_fail "normal start: no window"
else
    title=$(printf '%s\n' "$window" | cut -f3)
    rows=$(e2e_probe listview --hwnd "$hwnd")
    if [ -n "$rows" ]; then
        count=$(printf '%s\n' "$rows" | grep -c .)
        if [ "$title" = "Tappling a.TPM" ]; then e2e_pass "normal start: title '$title'"
        else e2e_fail "normal start: title '$title', not 'Tappling a.TPM'"; fi
        if [ "$count" -eq 3 ] && printf '%s\n' "$rows" | grep -q '待機2'; then e2e_pass "normal start: 3 records listed"
        else e2e_fail "normal start: list shows $count rows: $rows"; fi
    else
        e2e_fail "normal start: the window '$title' shows no list view"
    fi
    e2e_probe close --hwnd "$hwnd" >/dev/null
    e2e_wait_exit "$pid" 20; status=$?
    if [ "$status" -eq 0 ]; then e2e_pass "normal start: closed on WM_CLOSE"
    else e2e_fail "normal start: ended with status $status after WM_CLOSE"; fi
fi

e2e_finish startup.sh
