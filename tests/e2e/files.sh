#!/usr/bin/env bash
# End-to-end file commands on the real Tappling.exe, common dialogs and message boxes: save
# as (no extension, ".tpm", "notes.txt"), overwrite save, open, import then overwrite save,
# an unreadable open, new with each answer, the version dialog (menu, system menu, mail
# button), help, and the three desktop shortcuts, the "(自動起動)" one played through the shell.
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
menu() { poke command "$main" "$1"; }
rows() { e2e_probe listview --hwnd "$main" | grep -c . ; }
title() { e2e_probe list --exe Tappling.exe | awk -F'\t' -v h="$main" '$1 == h { print $3 }'; }
expect() {  # LABEL EXPECTED COMMAND...: the command prints EXPECTED
    local got; got=$("${@:3}")
    if [ "$got" = "$2" ]; then e2e_pass "$1: '$got'"; else e2e_fail "$1: '$got', expected '$2'"; fi
}
check() {  # LABEL COMMAND...: the command succeeds
    if "${@:2}"; then e2e_pass "$1"; else e2e_fail "$1"; fi
}
wait_for() { for _ in $(seq 1 "${tries:-50}"); do "$@" 2>/dev/null && return 0; sleep 0.1; done; "$@"; }  # 5 s unless told
dialog() {  # TITLE [TIMEOUT_MS] -> hwnd of Tappling's visible dialog with that caption
    e2e_probe wait --exe Tappling.exe --class '#32770' --title "$1" --timeout "${2:-15000}" | e2e_first_hwnd
}
gone() { e2e_probe wait-gone --exe Tappling.exe --class '#32770' --title "$1" --timeout 5000 >/dev/null; }
# message EXPECTED_TEXT BUTTON_ID LABEL: the next message box says EXPECTED_TEXT; press BUTTON_ID.
message() {
    local box; box=$(dialog Tappling)
    [ -n "$box" ] || { e2e_fail "$3: no message box"; return 1; }
    expect "$3" "$1" e2e_probe text --hwnd "$box"
    e2e_probe press --hwnd "$box" --id "$2" >/dev/null
    gone Tappling
}
question() { message "編集中のデータを保存しますか？" "$@"; }  # BUTTON_ID LABEL
# choose DIALOG_TITLE NAME: types NAME into the file dialog and presses OK.
choose() {
    local box; box=$(dialog "$1")
    [ -n "$box" ] || { e2e_fail "no dialog '$1'"; return 1; }
    sleep 0.5  # the dialog resets the name box once while it initialises
    poke settext "$box" 1148 "$2"; sleep 0.2; poke settext "$box" 1148 "$2"
    e2e_probe press --hwnd "$box" --id 1 >/dev/null
    gone "$1"
}
save_as() { menu "$ID_FILE_SAVE_AS"; choose "TPMファイルに名前をつけて保存" "C:\\m\\$1"; }
open_file() { menu "${2:-$ID_FILE_OPEN}"; choose "TPMファイルの読み込み" "C:\\m\\$1"; }  # NAME [$ID_FILE_IMPORT]
records_in() { e2e_actions "$drive_c/m/$1" | grep -c .; }
modify() { menu "$IDC_LOOP"; sleep 0.3; }  # a click on "ループ" marks the macro modified
opened_by() {  # ID [HWND]: what the shell was asked to open after that command
    rm -f "$opened"; poke command "${2:-$main}" "$1"
    for _ in $(seq 1 50); do [ -s "$opened" ] && break; sleep 0.2; done
    tr -d '\r' <"$opened" 2>/dev/null
}

e2e_start "$app/Tappling.exe" 'C:\m\a.TPM'
tappling_pid=$e2e_pid
main=$(e2e_probe wait --exe Tappling.exe --title-prefix 'Tappling a' --timeout 30000 | e2e_first_hwnd)
[ -n "$main" ] || { e2e_fail "the main window did not open"; e2e_finish files.sh; exit 1; }

# --- Save as: no extension, ".tpm", "notes.txt"; overwrite save to the known name, no dialog.
for name in s1 s2.tpm; do
    save_as "$name"; check "save as '$name' writes ${name%.*}.TPM" wait_for test -f "$drive_c/m/${name%.*}.TPM"
done
expect "save as: caption" "Tappling s2.TPM" title
save_as notes.txt
message "TPMﾌｧｲﾙではありません。" 1 "save as 'notes.txt'"
check "save as 'notes.txt': nothing written" test ! -e "$drive_c/m/notes.txt"
expect "save as 'notes.txt': caption" "Tappling s2.TPM" title
rm -f "$drive_c/m/s2.TPM"; menu "$ID_FILE_SAVE"; sleep 1
check "overwrite save: s2.TPM written" wait_for test -f "$drive_c/m/s2.TPM"
expect "overwrite save: no dialog" "" dialog "TPMファイルに名前をつけて保存" 500

# --- Open, import, overwrite save into the imported file, unreadable open.
open_file b.TPM; expect "open b.TPM" "1 Tappling b.TPM" eval 'echo $(rows) $(title)'
open_file a.TPM "$ID_FILE_IMPORT"; expect "import a.TPM" "5 Tappling a.TPM" eval 'echo $(rows) $(title)'
menu "$ID_FILE_SAVE"
check "overwrite save after import: a.TPM holds the 5 records" wait_for eval '[ "$(records_in a.TPM)" = 5 ]'
open_file v999.TPM
message "対応していないバージョンです。" 1 "open v999.TPM"
expect "unreadable open keeps the list" "5 Tappling a.TPM" eval 'echo $(rows) $(title)'

# --- New: Cancel keeps, No empties, Yes saves then empties.
modify; menu "$ID_FILE_NEW"; question 2 "new, cancel"; expect "new, cancel" 5 rows
menu "$ID_FILE_NEW"; question 7 "new, no"; expect "new, no" "0 Tappling " eval 'echo $(rows) "$(title)"'
open_file s1.TPM; modify; rm -f "$drive_c/m/s1.TPM"
menu "$ID_FILE_NEW"; question 6 "new, yes"; sleep 0.5
expect "new, yes" 0 rows
check "new, yes: s1.TPM saved first" wait_for test -f "$drive_c/m/s1.TPM"

# --- Version dialog from the menu (with the mail button) and from the system menu; help.
menu "$ID_HELP_VERSION"
about=$(dialog "ﾊﾞｰｼﾞｮﾝ情報")
expect "version dialog" "Tappling Version 2.00" eval "e2e_probe children --hwnd '$about' | awk -F'\t' -v id=$IDC_ABOUT_VERSION_TEXT '\$2 == id { print \$4 }'"
mail=$(opened_by "$IDC_ABOUT_MAIL" "$about")
case "$mail" in
    mailto:*"?subject=Tappling Version 2.00 について質問("*")") e2e_pass "mail button: $mail" ;;
    *) e2e_fail "mail button opened '$mail'" ;;
esac
e2e_probe press --hwnd "$about" --id 1 >/dev/null
check "version dialog: OK closes it" gone "ﾊﾞｰｼﾞｮﾝ情報"
poke syscommand "$main" 16
about=$(dialog "ﾊﾞｰｼﾞｮﾝ情報")
check "version dialog from the system menu" test -n "$about"
e2e_probe press --hwnd "$about" --id 2 >/dev/null; gone "ﾊﾞｰｼﾞｮﾝ情報"
expect "help through the shell" 'C:\app\main.html' opened_by "$ID_HELP_HELP"

# --- Desktop shortcuts: none without a file, then the three of w.TPM.
menu "$ID_FILE_SHORTCUT_AUTO"
message "ファイル名が取得できません。" 1 "shortcut without a file"
printf 'macro\nLeftClick x=760 y=540 preWaitMs=300 postWaitMs=300\n' | e2e_build_macro "$drive_c/m/w.TPM"
open_file w.TPM
for item in "ID_FILE_SHORTCUT_AUTO 自動起動" "ID_FILE_SHORTCUT_NORMAL 通常起動" "ID_FILE_SHORTCUT_RANDOM ランダム自動起動"; do
    read -r name label <<<"$item"
    menu "${!name}"
    message "デスクトップにショートカット（${label}）を作成します。よろしいですか" 1 "shortcut $label"
done
sleep 1
links=$(find -L "$drive_c/users" -name '*.lnk' -path '*Desktop*' 2>/dev/null | sed 's|.*/||' | sort | tr '\n' ';')
expected_links="w(自動起動).lnk;w(通常起動).lnk;w（ランダム自動起動）.lnk;"
expect "three shortcuts on the desktop" "$expected_links" echo "$links"
e2e_probe close --hwnd "$main" >/dev/null
e2e_wait_exit "$tappling_pid" 20 || true

# --- The "(自動起動)" shortcut through the shell: plays w.TPM against a target and ends.
link=$(find -L "$drive_c/users" -name 'w(自動起動).lnk' -path '*Desktop*' 2>/dev/null | head -n1)
windows_link="C:${link#"$drive_c"}"; windows_link=${windows_link//\//\\}
"$wine" 'C:\app\TargetApp.exe' 'C:\app\target.log' 700 500 320 240 >/dev/null 2>&1 &
e2e_started+=("$!")
tries=200 wait_for grep -q ' ready ' "$app/target.log"
check "auto-start shortcut: the shell opens '$windows_link'" poke shellopen "$windows_link"
tries=300 check "auto-start shortcut: the click arrived" wait_for grep -q ' down L 760 540' "$app/target.log"
check "auto-start shortcut: Tappling ended by itself" e2e_probe wait-gone --exe Tappling.exe --timeout 30000

e2e_finish files.sh
