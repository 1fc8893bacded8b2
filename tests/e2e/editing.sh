#!/usr/bin/env bash
# End-to-end editing under Wine: Tappling.exe opens a macro file, and this script works the
# main window as a user would: commands by their ids, real mouse clicks and key presses in
# the list (xdotool), the action editor's and the detail settings' controls, the bulk text
# edit and the message boxes. It saves with "上書き保存" and compares the saved file record
# by record with what the commands must produce, condition jumps included.
# Run through the harness: tools/with-wine-display bash tests/e2e/editing.sh [BIN_DIR]
set -uo pipefail  # no -e: a failed step is counted and the script goes on
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"
e2e_workdir Tappling.exe

# --- helpers: one ControlProbe serves every request of the script (see its header) ------
"$wine" "$bin_dir/ControlProbe.exe" 'C:\probe' >/dev/null 2>&1 &
e2e_started+=("$!")
probe_seq=0
ask() {  # WORDS...: one request; its result lines in $reply; status 0 when the probe said ok
    probe_seq=$((probe_seq + 1))
    local request status
    request=$(IFS=$'\t'; printf '%s' "$*")
    printf '%s\n%s\n' "$probe_seq" "$request" >"$probe_dir/request.part"
    mv "$probe_dir/request.part" "$probe_dir/request"
    for _ in $(seq 1 1200); do
        [ -f "$probe_dir/reply" ] && [ "$(head -n1 "$probe_dir/reply")" = "$probe_seq" ] && break
        sleep 0.05
    done
    status=$(sed -n 2p "$probe_dir/reply" 2>/dev/null || true)
    reply=$(tail -n +3 "$probe_dir/reply" 2>/dev/null | tr -d '\r' || true)
    rm -f "$probe_dir/reply"
    [ "$status" = ok ]
}
window() {  # TITLE [CLASS]: the hwnd of the visible window with that title, or nothing
    if ask find "$1" "${2:-}" 10000; then printf '%s' "$reply"; fi
}
gone() { ask gone "$1" 10000 || e2e_fail "'$1' still open"; }
command() { ask command "$main" "$1" || e2e_fail "command $1: no main window"; }
message() {  # EXPECTED LABEL: the message box says EXPECTED; OK closes it
    local box
    box=$(window Tappling '#32770')
    if [ -z "$box" ]; then e2e_fail "$2: no message box"; return 0; fi
    ask text "$box"
    if [ "$reply" = "$1" ]; then e2e_pass "$2: \"$reply\""; else e2e_fail "$2: message \"$reply\", expected \"$1\""; fi
    ask press "$box" 1
    gone Tappling
}
expect_selection() {  # "selected R..." LABEL
    local got=""
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        ask selection "$main" "$IDC_ACTION_LIST" && got=$(printf '%s\n' "$reply" | sed -n 1p)
        [ "$got" = "$1" ] && break
        sleep 0.2
    done
    if [ "$got" = "$1" ]; then e2e_pass "$2: $got"; else e2e_fail "$2: '$got', expected '$1'"; fi
}
# Waits until the main window's thread has handled what came before: hiding a shown marker
# takes Wine about 2 s without a window manager, and keys typed meanwhile would all arrive
# at once, Ctrl already released.
settle() { ask selection "$main" "$IDC_ACTION_LIST" || true; }
click_row() {  # ROW [MODIFIER]: a real click on the row, Ctrl or Shift held when asked
    settle
    ask rowpoint "$main" "$IDC_ACTION_LIST" "$1" || { e2e_fail "no row $1"; return 0; }
    # shellcheck disable=SC2086
    xdotool mousemove $reply
    sleep 0.1
    if [ -n "${2:-}" ]; then xdotool keydown "$2"; sleep 0.15; fi
    xdotool click 1
    if [ -n "${2:-}" ]; then sleep 0.15; xdotool keyup "$2"; fi
    sleep 0.6  # the next click on the same row must not make a double click
    settle
}
press_keys() {  # KEY [MODIFIER]: held modifier, a key press, released, as a person types
    settle
    if [ -n "${2:-}" ]; then xdotool keydown "$2"; sleep 0.2; fi
    xdotool key "$1"
    if [ -n "${2:-}" ]; then sleep 0.2; xdotool keyup "$2"; fi
    sleep 0.4
}
editor_ok() {  # the action editor: fields as NAME=TEXT pairs, NAME as resource.h has it (type=INDEX for the type list), then OK
    local editor pair name
    editor=$(window 設定)
    if [ -z "$editor" ]; then e2e_fail "no action editor"; return 0; fi
    for pair in "$@"; do
        case $pair in
            type=*) ask choose "$editor" "$IDC_EDITOR_TYPE" "${pair#type=}" ;;
            *) name=${pair%%=*}; ask settext "$editor" "${!name}" "${pair#*=}" ;;
        esac
    done
    ask press "$editor" 1
    gone 設定
}
expect_rows() {  # "A B C ..." LABEL: the Memo column
    local got=""
    ask column "$main" "$IDC_ACTION_LIST" 1 && got=$(printf '%s\n' "$reply" | tr '\n' ' ')
    if [ "$got" = "$1 " ]; then e2e_pass "$2: $got"; else e2e_fail "$2: rows '$got', expected '$1'"; fi
}

# --- the macro: comments name the actions; every point lies right of the main window, so
#     the marker shown for a row never covers the list.
e2e_build_macro "$work/edit.TPM" <<'TEXT'
macro loopEnabled loopLimited loopCount=3
LeftClick x=900 y=600 preWaitMs=100 postWaitMs=100 comment="A"
WaitOnly preWaitMs=100 postWaitMs=100 comment="B"
Condition x=910 y=610 preWaitMs=100 postWaitMs=100 comment="C" conditionColor=0x000000FF trueJump=5 falseJump=1
KeyboardInput preWaitMs=100 postWaitMs=100 inputText="old d" comment="D"
LeftClick x=920 y=620 preWaitMs=100 postWaitMs=100 comment="E"
KeyboardInput preWaitMs=100 postWaitMs=100 inputText="old f" comment="F"
TEXT
started=$SECONDS
e2e_start "$work/Tappling.exe" 'C:\e2e\edit.TPM'
main=$(window 'Tappling edit.TPM')
[ -n "$main" ] || { e2e_fail "the main window did not open"; e2e_finish editing.sh; exit 1; }
sleep 0.5

# --- 1. no row selected: each command says so
command "$IDC_INSERT_BEFORE";  message "レコードを選択して編集してください" "insert before (button) without a selection"
command "$ID_EDIT_EDIT"; message "レコードを選択して編集してください" "edit (menu) without a selection"
command "$IDC_DELETE";  message "レコードを選択して削除してください" "delete (button) without a selection"
command "$ID_EDIT_COPY_ACTIONS"; message "レコードを選択してください" "copy without a selection"
command "$ID_EDIT_PASTE_BEFORE"; message "レコードを選択してください" "paste before without a selection"
command "$ID_EDIT_PASTE_AFTER"; message "レコードを選択してください" "paste after without a selection"

# --- 2. add at end (button): a click at (930, 630) named G
command "$IDC_ADD_AT_END"
editor_ok IDC_EDITOR_COMMENT=G IDC_EDITOR_X=930 IDC_EDITOR_Y=630
expect_rows "A B C D E F G" "add at end"
expect_selection "selected 6" "add at end selects the new row"

# --- 3. insert before row 3 (a real click, then the button): a wait named H
click_row 2
command "$IDC_INSERT_BEFORE"
editor_ok type=9 IDC_EDITOR_COMMENT=H
expect_rows "A B H C D E F G" "insert before"
ask selection "$main" "$IDC_ACTION_LIST"; focus=$(printf '%s\n' "$reply" | sed -n 3p)
if [ "$focus" = "focus $IDC_ACTION_LIST" ]; then e2e_pass "insert before: the list has the keyboard"; else e2e_fail "insert before: $focus"; fi

# --- 4. edit (menu) the condition, through its detail settings: range 5 x 6, true No. 8, false No. 1
click_row 3
command "$ID_EDIT_EDIT"
editor=$(window 設定)
ask press "$editor" "$IDC_EDITOR_DETAIL"
detail=$(window 詳細設定)
if [ -n "$detail" ]; then
    for pair in IDC_DETAIL_RANGE_X=5 IDC_DETAIL_RANGE_Y=6 IDC_DETAIL_TRUE_JUMP=8 IDC_DETAIL_FALSE_JUMP=1; do
        name=${pair%%=*}; ask settext "$detail" "${!name}" "${pair#*=}"
    done
    ask press "$detail" 1
    gone 詳細設定
else e2e_fail "no detail settings"; fi
editor_ok

# --- 5. delete row 2 (B) with the button
click_row 1
command "$IDC_DELETE"
expect_rows "A H C D E F G" "delete"

# --- 6. a double click on row 2 edits H
ask rowpoint "$main" "$IDC_ACTION_LIST" 1
# shellcheck disable=SC2086
xdotool mousemove $reply click --repeat 2 --delay 80 1
editor_ok IDC_EDITOR_COMMENT=H2
expect_rows "A H2 C D E F G" "double click edits"

# --- 7. copy rows 3-4 (click, Shift+click, menu), paste before row 1 (menu)
click_row 2
click_row 3 shift
command "$ID_EDIT_COPY_ACTIONS"
click_row 0
command "$ID_EDIT_PASTE_BEFORE"
expect_rows "C D A H2 C D E F G" "copy, paste before"
expect_selection "selected 2" "paste before selects the row that was selected"

# --- 8. paste after row 8 (menu)
click_row 7
command "$ID_EDIT_PASTE_AFTER"
expect_rows "C D A H2 C D E F C D G" "paste after"
expect_selection "selected 10" "paste after selects the row after the block"

# --- 9. Ctrl+X on row 7 (E), Ctrl+V before row 1: real keys in the list
click_row 6
press_keys x ctrl
expect_rows "C D A H2 C D F C D G" "Ctrl+X"
click_row 0
press_keys v ctrl
expect_rows "E C D A H2 C D F C D G" "Ctrl+V"

# --- 10. the Delete key on row 5 (H2)
click_row 4
press_keys Delete
expect_rows "E C D A C D F C D G" "Delete key"

# --- 11. the wait shifts: every pre-wait +500, every post-wait down to 0
for name in ID_EDIT_PRE_WAIT_PLUS ID_EDIT_POST_WAIT_PLUS ID_EDIT_POST_WAIT_MINUS ID_EDIT_POST_WAIT_MINUS \
            ID_EDIT_PRE_WAIT_MINUS ID_EDIT_PRE_WAIT_PLUS; do command "${!name}"; sleep 0.3; done

# --- 12. bulk text edit on rows 1, 3 and 6 (only 3 and 6 take text)
click_row 0
click_row 2 ctrl
click_row 5 ctrl
command "$ID_EDIT_BULK_TEXT"
bulk=$(window 一括入力文字編集)
if [ -n "$bulk" ]; then
    ask gettext "$bulk" "$IDC_BULK_NUMBERS"; numbers=$reply
    if [ "$numbers" = "1,3,6" ]; then e2e_pass "bulk text edit: numbers $numbers"; else e2e_fail "bulk text edit: numbers '$numbers'"; fi
    ask settext "$bulk" "$IDC_BULK_TEXT" 新しい文字
    ask press "$bulk" 1
    message "編集終了  ( 3,6 )" "bulk text edit"
    gone 一括入力文字編集
else e2e_fail "no bulk text edit"; fi

# --- 13. a real double click on the marker of row 4 (A, at 900, 600) edits that action
click_row 3
settle
# shellcheck disable=SC2086
xdotool mousemove 902 606 click --repeat 2 --delay 80 1
editor=$(window 設定)
if [ -n "$editor" ]; then
    ask gettext "$editor" "$IDC_EDITOR_ROW_NUMBER"
    if [ "$reply" = 4 ]; then e2e_pass "marker double click: the editor on action 4"; else e2e_fail "marker double click: number '$reply'"; fi
fi
editor_ok IDC_EDITOR_COMMENT=A2
expect_rows "E C D A2 C D F C D G" "edit through the marker"
expect_selection "selected 3" "edit through the marker selects its row"

# --- 14. "上書き保存", then close: nothing left to ask
import -window root "$artifacts/editing-end.png" 2>/dev/null || true
before=$(stat -c %Y "$work/edit.TPM")
sleep 1.1
command "$ID_FILE_SAVE"
for _ in $(seq 1 50); do [ "$(stat -c %Y "$work/edit.TPM")" != "$before" ] && break; sleep 0.2; done
ask close "$main"
if e2e_wait_exit "$e2e_pid" 20; then e2e_pass "closed without a question after the save"
else e2e_fail "Tappling did not end after the save"; fi

# --- 15. the saved file, record by record
# The pasted conditions keep their jumps as copied (4 and -2 ahead), renumbered only by
# the later edits around them: row 2's false target lies before the list's start. The
# original (row 5) still goes to G (row 10) and A (row 4).
e2e_tpm text "$work/edit.TPM" >"$artifacts/editing-saved.txt" || e2e_fail "saved file unreadable"
if diff -u - "$artifacts/editing-saved.txt" <<'TEXT'; then e2e_pass "saved file: every record as expected"
macro loopEnabled loopLimited loopCount=3
LeftClick x=920 y=620 preWaitMs=600 postWaitMs=0 comment="E"
Condition x=910 y=610 preWaitMs=600 postWaitMs=0 comment="C" conditionColor=0x000000FF trueJump=5 falseJump=-1 searchRangeX=5 searchRangeY=6
KeyboardInput preWaitMs=600 postWaitMs=0 inputText="新しい文字" comment="D"
LeftClick x=900 y=600 preWaitMs=600 postWaitMs=0 comment="A2"
Condition x=910 y=610 preWaitMs=600 postWaitMs=0 comment="C" conditionColor=0x000000FF trueJump=10 falseJump=4 searchRangeX=5 searchRangeY=6
KeyboardInput preWaitMs=600 postWaitMs=0 inputText="新しい文字" comment="D"
KeyboardInput preWaitMs=600 postWaitMs=0 inputText="old f" comment="F"
Condition x=910 y=610 preWaitMs=600 postWaitMs=0 comment="C" conditionColor=0x000000FF trueJump=12 falseJump=6 searchRangeX=5 searchRangeY=6
KeyboardInput preWaitMs=600 postWaitMs=0 inputText="old d" comment="D"
LeftClick x=930 y=630 preWaitMs=1000 postWaitMs=0 comment="G"
TEXT
else e2e_fail "saved file differs (above)"; fi

# --- 16. a pasted condition jumps to its pasted partner: copy P (jumping over Q to R) with
#     Q and R, paste after row 4, save, and read the file back with tpm text
printf '%s\n' macro 'WaitOnly comment="S"' 'Condition x=900 y=600 trueJump=4 comment="P"' \
    'WaitOnly comment="Q"' 'WaitOnly comment="R"' | e2e_build_macro "$work/paste.TPM"
e2e_start "$work/Tappling.exe" 'C:\e2e\paste.TPM'
main=$(window 'Tappling paste.TPM')
if [ -n "$main" ]; then
    click_row 1
    click_row 3 shift
    command "$ID_EDIT_COPY_ACTIONS"
    click_row 3
    command "$ID_EDIT_PASTE_AFTER"
    expect_rows "S P Q R P Q R" "paste after a block with its jump target"
    command "$ID_FILE_SAVE"
    sleep 1
    ask close "$main"
    e2e_wait_exit "$e2e_pid" 20 || e2e_fail "Tappling did not end after saving paste.TPM"
    pasted=$(e2e_tpm text "$work/paste.TPM" | sed -n 6p)
    if [ "$pasted" = 'Condition x=900 y=600 comment="P" trueJump=7' ]; then
        e2e_pass "pasted condition jumps to its pasted partner: $pasted"
    else e2e_fail "pasted condition reads: $pasted"; fi
else e2e_fail "paste.TPM did not open"; fi
ask quit

echo "editing.sh took $((SECONDS - started)) s"
e2e_finish editing.sh
