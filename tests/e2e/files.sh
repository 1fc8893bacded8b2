#!/usr/bin/env bash
# End-to-end file commands under Wine, on the real Tappling.exe with the real common file
# dialogs and message boxes, driven from outside: save as (a name without extension, a
# ".tpm" name, "notes.txt"), overwrite save, open, import then overwrite save into the
# imported file, an unreadable open that keeps the list, new with each answer, the version
# dialog from the menu and the system menu with its mail button, help through the shell,
# and the three desktop shortcuts, the "(自動起動)" one opened through the shell playing
# its macro against a target window and ending by itself.
# Run through the harness: tools/with-wine-display bash tests/e2e/files.sh [BIN_DIR]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"

app="$drive_c/app"
mkdir -p "$app" "$drive_c/m"
cp "$bin_dir/Tappling.exe" "$bin_dir/main.html" "$bin_dir/TargetApp.exe" "$app/"
cp "$bin_dir/CommandPoke.exe" "$probe_dir/"
e2e_macro "$drive_c/m/a.TPM" three-waits
e2e_macro "$drive_c/m/b.TPM" wait
e2e_macro "$drive_c/m/v999.TPM" version 999
opened="$probe_dir/opened.txt"

# The browser and the mail program are stand-ins that record what they were asked to open.
logger='C:\probe\CommandPoke.exe log C:\probe\opened.txt %1'
for key in 'HKCR\mailto' 'HKCR\htmlfile'; do
    "$wine" reg delete "$key\\shell\\open\\ddeexec" /f >/dev/null 2>&1
    "$wine" reg add "$key\\shell\\open\\command" /ve /d "$logger" /f >/dev/null 2>&1
done
"$wine" reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1

poke() { "$wine" 'C:\probe\CommandPoke.exe' "$@" >/dev/null 2>&1; }
title_of() { e2e_probe list --exe Tappling.exe | awk -F'\t' -v h="$1" '$1 == h { print $3 }'; }
rows() { e2e_probe listview --hwnd "$main" | grep -c . ; }
dialog() {  # TITLE [TIMEOUT_MS] -> hwnd of Tappling's visible dialog with that caption
    e2e_probe wait --exe Tappling.exe --class '#32770' --title "$1" --timeout "${2:-15000}" | e2e_first_hwnd
}
# message EXPECTED_TEXT BUTTON_ID LABEL: the next message box says EXPECTED_TEXT; press BUTTON_ID.
message() {
    local box text
    box=$(dialog Tappling)
    if [ -z "$box" ]; then e2e_fail "$3: no message box"; return 1; fi
    text=$(e2e_probe text --hwnd "$box")
    if [ "$text" = "$1" ]; then e2e_pass "$3: '$text'"; else e2e_fail "$3: message '$text', expected '$1'"; fi
    e2e_probe press --hwnd "$box" --id "$2" >/dev/null
    e2e_probe wait-gone --exe Tappling.exe --class '#32770' --title Tappling --timeout 5000 >/dev/null
}
# choose DIALOG_TITLE NAME: types NAME into the file dialog and presses OK.
choose() {
    local box
    box=$(dialog "$1")
    if [ -z "$box" ]; then e2e_fail "no dialog '$1'"; return 1; fi
    sleep 0.5  # the dialog resets the name box once while it initialises
    poke settext "$box" 1148 "$2"
    sleep 0.2
    poke settext "$box" 1148 "$2"
    e2e_probe press --hwnd "$box" --id 1 >/dev/null
    e2e_probe wait-gone --exe Tappling.exe --class '#32770' --title "$1" --timeout 5000 >/dev/null
}
expect_title() {  # EXPECTED LABEL
    local t; t=$(title_of "$main")
    if [ "$t" = "$1" ]; then e2e_pass "$2: caption '$t'"; else e2e_fail "$2: caption '$t', expected '$1'"; fi
}
expect_rows() {  # N LABEL
    local n; n=$(rows)
    if [ "$n" = "$1" ]; then e2e_pass "$2: $n rows"; else e2e_fail "$2: $n rows, expected $1"; fi
}
wait_file() { for _ in $(seq 1 50); do [ -f "$1" ] && return 0; sleep 0.1; done; return 1; }  # PATH, up to 5 s
record_count() { python3 -c 'import struct,sys; print(struct.unpack_from("<i", open(sys.argv[1],"rb").read(), 28)[0])' "$1"; }
modify() { poke command "$main" 1016; sleep 0.3; }  # a click on "ループ" marks the macro modified

save_title="TPMファイルに名前をつけて保存"
open_title="TPMファイルの読み込み"

e2e_start "$app/Tappling.exe" 'C:\m\a.TPM'
tappling_pid=$e2e_pid
main=$(e2e_probe wait --exe Tappling.exe --title-prefix 'Tappling a' --timeout 30000 | e2e_first_hwnd)
[ -n "$main" ] || { e2e_fail "the main window did not open"; e2e_finish files.sh; exit 1; }

# --- Save as: no extension, ".tpm", "notes.txt".
poke command "$main" 32780; choose "$save_title" 'C:\m\s1'
if wait_file "$drive_c/m/s1.TPM"; then e2e_pass "save as 's1': s1.TPM written"; else e2e_fail "save as 's1': $(ls "$drive_c/m")"; fi
expect_title "Tappling s1.TPM" "save as 's1'"
poke command "$main" 32780; choose "$save_title" 'C:\m\s2.tpm'
if wait_file "$drive_c/m/s2.TPM"; then e2e_pass "save as 's2.tpm': s2.TPM written"; else e2e_fail "save as 's2.tpm': $(ls "$drive_c/m")"; fi
poke command "$main" 32780; choose "$save_title" 'C:\m\notes.txt'
message "TPMﾌｧｲﾙではありません。" 1 "save as 'notes.txt'"
if [ ! -e "$drive_c/m/notes.txt" ]; then e2e_pass "save as 'notes.txt': nothing written"; else e2e_fail "notes.txt written"; fi
expect_title "Tappling s2.TPM" "save as 'notes.txt'"

# --- Overwrite save: the known name, no dialog.
rm -f "$drive_c/m/s2.TPM"
poke command "$main" 32781
sleep 1
if wait_file "$drive_c/m/s2.TPM" && [ -z "$(dialog "$save_title" 500)" ]; then e2e_pass "overwrite save: s2.TPM written without a dialog"
else e2e_fail "overwrite save: s2.TPM not written"; fi

# --- Open, import, overwrite save into the imported file, unreadable open.
poke command "$main" 32779; choose "$open_title" 'C:\m\b.TPM'
expect_rows 1 "open b.TPM"; expect_title "Tappling b.TPM" "open b.TPM"
poke command "$main" 32805; choose "$open_title" 'C:\m\a.TPM'
expect_rows 5 "import a.TPM"; expect_title "Tappling a.TPM" "import a.TPM"
poke command "$main" 32781
for _ in $(seq 1 50); do count=$(record_count "$drive_c/m/a.TPM"); [ "$count" = 5 ] && break; sleep 0.1; done
if [ "$count" = 5 ]; then e2e_pass "overwrite save after import: a.TPM holds the 5 records"; else e2e_fail "a.TPM holds $count records"; fi
poke command "$main" 32779; choose "$open_title" 'C:\m\v999.TPM'
message "対応していないバージョンです。" 1 "open v999.TPM"
expect_rows 5 "unreadable open keeps the list"; expect_title "Tappling a.TPM" "unreadable open"

# --- New: Cancel keeps, No empties, Yes saves then empties.
modify; poke command "$main" 32782
message "編集中のデータを保存しますか？" 2 "new, cancel"
expect_rows 5 "new, cancel"
poke command "$main" 32782
message "編集中のデータを保存しますか？" 7 "new, no"
expect_rows 0 "new, no"; expect_title "Tappling " "new, no"
poke command "$main" 32779; choose "$open_title" 'C:\m\s1.TPM'
modify; rm -f "$drive_c/m/s1.TPM"
poke command "$main" 32782
message "編集中のデータを保存しますか？" 6 "new, yes"
sleep 0.5
expect_rows 0 "new, yes"
if wait_file "$drive_c/m/s1.TPM"; then e2e_pass "new, yes: s1.TPM saved first"; else e2e_fail "new, yes: s1.TPM not saved"; fi

# --- Version dialog from the menu (with the mail button) and from the system menu; help.
rm -f "$opened"
poke command "$main" 32784
about=$(dialog "ﾊﾞｰｼﾞｮﾝ情報")
if [ -n "$about" ]; then
    version=$(e2e_probe children --hwnd "$about" | awk -F'\t' '$2 == 1032 { print $4 }')
    [ "$version" = "Tappling Version 2.00" ] && e2e_pass "version dialog: '$version'" || e2e_fail "version text '$version'"
    poke command "$about" 1000
    for _ in $(seq 1 50); do [ -s "$opened" ] && break; sleep 0.2; done
    mail=$(tr -d '\r' <"$opened" 2>/dev/null)
    case "$mail" in
        mailto:*"?subject=Tappling Version 2.00 について質問("*")") e2e_pass "mail button: $mail" ;;
        *) e2e_fail "mail button opened '$mail'" ;;
    esac
    e2e_probe press --hwnd "$about" --id 1 >/dev/null
    e2e_probe wait-gone --exe Tappling.exe --title "ﾊﾞｰｼﾞｮﾝ情報" --timeout 5000 >/dev/null && e2e_pass "version dialog: OK closes it"
else e2e_fail "version dialog did not open from the menu"; fi
poke syscommand "$main" 16
about=$(dialog "ﾊﾞｰｼﾞｮﾝ情報")
if [ -n "$about" ]; then e2e_pass "version dialog from the system menu"; e2e_probe press --hwnd "$about" --id 2 >/dev/null
else e2e_fail "version dialog did not open from the system menu"; fi
e2e_probe wait-gone --exe Tappling.exe --title "ﾊﾞｰｼﾞｮﾝ情報" --timeout 5000 >/dev/null
rm -f "$opened"
poke command "$main" 32783
for _ in $(seq 1 50); do [ -s "$opened" ] && break; sleep 0.2; done
help=$(tr -d '\r' <"$opened" 2>/dev/null)
if [ "$help" = 'C:\app\main.html' ]; then e2e_pass "help opens C:\\app\\main.html through the shell"
else e2e_fail "help opened '$help'"; fi

# --- Desktop shortcuts: none without a file, then the three of w.TPM.
poke command "$main" 32798
message "ファイル名が取得できません。" 1 "shortcut without a file"
python3 "$e2e_repo/tests/e2e/make-macro.py" "$drive_c/m/w.TPM" \
    '{"records": [{"type": 0, "x": 760, "y": 540, "preWaitMs": 300, "postWaitMs": 300}]}'
poke command "$main" 32779; choose "$open_title" 'C:\m\w.TPM'
for item in "32798 自動起動 (自動起動)" "32796 通常起動 (通常起動)" "32802 ランダム自動起動 （ランダム自動起動）"; do
    read -r id label suffix <<<"$item"
    poke command "$main" "$id"
    message "デスクトップにショートカット（${label}）を作成します。よろしいですか" 1 "shortcut $label"
done
sleep 1
links=$(find -L "$drive_c/users" -name '*.lnk' -path '*Desktop*' 2>/dev/null | sed 's|.*/||' | sort | tr '\n' ';')
expected_links="w(自動起動).lnk;w(通常起動).lnk;w（ランダム自動起動）.lnk;"
if [ "$links" = "$expected_links" ]; then e2e_pass "three shortcuts on the desktop: $links"
else e2e_fail "desktop shortcuts: '$links', expected '$expected_links'"; fi
e2e_probe close --hwnd "$main" >/dev/null
e2e_wait_exit "$tappling_pid" 20 || true

# --- The "(自動起動)" shortcut through the shell: plays w.TPM against a target and ends.
link=$(find -L "$drive_c/users" -name 'w(自動起動).lnk' -path '*Desktop*' 2>/dev/null | head -n1)
if [ -n "$link" ]; then
    windows_link="C:${link#"$drive_c"}"; windows_link=${windows_link//\//\\}
    rm -f "$app/target.log"
    "$wine" 'C:\app\TargetApp.exe' 'C:\app\target.log' 700 500 320 240 >/dev/null 2>&1 &
    e2e_started+=("$!")
    for _ in $(seq 1 200); do grep -q ' ready ' "$app/target.log" 2>/dev/null && break; sleep 0.1; done
    poke shellopen "$windows_link" || e2e_fail "auto-start shortcut: the shell did not open $windows_link"
    started=$(e2e_probe wait --exe Tappling.exe --timeout 30000 | head -n1)
    for _ in $(seq 1 300); do grep -q ' down L 760 540' "$app/target.log" 2>/dev/null && break; sleep 0.1; done
    if grep -q ' down L 760 540' "$app/target.log"; then e2e_pass "auto-start shortcut: the click arrived"
    else e2e_fail "auto-start shortcut: no click in the target's log (window: '$started'; log: $(tr '\r\n' ' ;' <"$app/target.log"))"; fi
    if e2e_probe wait-gone --exe Tappling.exe --timeout 30000 >/dev/null; then e2e_pass "auto-start shortcut: Tappling ended by itself"
    else e2e_fail "auto-start shortcut: Tappling still running"; fi
else
    e2e_fail "no auto-start shortcut to open"
fi

e2e_finish files.sh
