#include "ui/dialogs/ActionEditorDialog.h"

#include <commctrl.h>

#include <string>

#include "resource.h"
#include "ui/dialogs/DetailSettingsDialog.h"
#include "ui/Win32Prompter.h"
#include "ui/logic/ActionEditorLogic.h"
#include "win32/Handles.h"
#include "win32/Win32Text.h"

namespace tappling {

namespace {

// The controls each row of the type table switches on and off.
constexpr int kPositionControls[] = {IDC_EDITOR_X, IDC_EDITOR_Y};
constexpr int kInputControls[] = {IDC_EDITOR_INPUT_TEXT, IDC_EDITOR_NEWLINE};
constexpr int kFileControls[] = {IDC_EDITOR_FILE_PATH, IDC_EDITOR_MAXIMIZED, IDC_EDITOR_BROWSE};
constexpr int kConditionControls[] = {IDC_EDITOR_SWATCH, IDC_EDITOR_CHOOSE_COLOUR, IDC_EDITOR_TAKE_COLOUR,
                                      IDC_EDITOR_INVERT};

// The boxes that show the marker position; leaving one of them moves the marker.
bool isCoordinateBox(int id) { return id == IDC_EDITOR_X || id == IDC_EDITOR_Y; }

}  // namespace

ActionEditorDialog::ActionEditorDialog(HINSTANCE instance, const ActionEditorServices& services,
                                       const ActionRecord& copy, int32_t rowNumber)
    : Dialog(instance, IDD_ACTION_EDITOR), services_(services), record_(copy), rowNumber_(rowNumber) {}

std::optional<ActionRecord> ActionEditorDialog::run(HWND owner) {
    if (runModal(owner) != IDOK) return std::nullopt;
    return record_;
}

bool ActionEditorDialog::onInit() {
    closing_ = false;
    DragAcceptFiles(hwnd(), TRUE);
    setNumber(IDC_EDITOR_ROW_NUMBER, rowNumber_);
    setNumber(IDC_EDITOR_X, record_.x);
    setNumber(IDC_EDITOR_Y, record_.y);
    setNumber(IDC_EDITOR_PRE_WAIT, record_.preWaitMs);
    fillTypeList();
    setNumber(IDC_EDITOR_POST_WAIT, record_.postWaitMs);
    setNumber(IDC_EDITOR_REPEAT, record_.repeatCount);
    setAnsiText(IDC_EDITOR_INPUT_TEXT, record_.inputText);
    setAnsiText(IDC_EDITOR_COMMENT, record_.comment);
    setAnsiText(IDC_EDITOR_FILE_PATH, record_.filePath);
    setNumber(IDC_EDITOR_OFFSET_REF, shownActionNumber(record_.offsetRef, rowNumber_));
    // Ticked as playback reads each flag: a newline is typed for any non-zero value, the
    // other four act only on 1 (so an "以外の場合" of 2 opens unticked).
    CheckDlgButton(hwnd(), IDC_EDITOR_NEWLINE, record_.newlineAfterInput != 0 ? BST_CHECKED : BST_UNCHECKED);
    setChecked(IDC_EDITOR_MAXIMIZED, record_.startMaximized);
    setChecked(IDC_EDITOR_FIRST_LOOP_ONLY, record_.firstLoopOnly);
    setChecked(IDC_EDITOR_OFFSET_ENABLED, record_.offsetEnabled);
    setChecked(IDC_EDITOR_INVERT, record_.invertCondition);

    SetTimer(hwnd(), kMirrorTimer, 1, nullptr);
    PositionMarker& marker = services_.marker;
    if (hasPosition(record_.actionType)) {
        marker.showDraggable(record_.x, record_.y);
        SetForegroundWindow(hwnd());
    } else {
        marker.setMode(PositionMarker::Mode::Draggable);
        marker.hide();
    }
    showPositionControls(hasPosition(record_.actionType));
    // The boxes follow the marker from here on; a hidden marker's old place is not copied.
    lastShownX_ = marker.current().x;
    lastShownY_ = marker.current().y;
    applyTypeControls();
    enable(IDC_EDITOR_OFFSET_REF, record_.offsetEnabled == 1);
    listenForF9();
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd());
    return true;
}

void ActionEditorDialog::fillTypeList() {
    HWND list = item(IDC_EDITOR_TYPE);
    for (int32_t type = 0; type < kActionTypeCount; ++type) {
        const std::wstring name = utf8ToWide(typeName(static_cast<ActionType>(type)));
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    // A code outside the list selects nothing (CB_SETCURSEL with -1 or beyond clears it).
    const int32_t selected = code(record_.actionType);
    SendMessageW(list, CB_SETCURSEL, selected >= 0 && selected < kActionTypeCount ? selected : -1, 0);
}

void ActionEditorDialog::applyTypeControls() {
    const EditorControlStates states = editorControlStates(record_.actionType);
    for (int id : kInputControls) enable(id, states.inputText);
    for (int id : kFileControls) enable(id, states.fileControls);
    for (int id : kConditionControls) enable(id, states.conditionControls);
    enable(IDC_EDITOR_DETAIL, states.detailButton);
    paintSwatch(states.conditionControls ? static_cast<COLORREF>(record_.conditionColor) : GetSysColor(COLOR_BTNFACE));
}

void ActionEditorDialog::showPositionControls(bool shown) {
    for (int id : kPositionControls) enable(id, shown);
}

void ActionEditorDialog::moveMarkerTo(int32_t x, int32_t y) {
    services_.marker.showDraggable(x, y);
    bringToFront();
}

void ActionEditorDialog::bringToFront() { SetForegroundWindow(hwnd()); }

bool ActionEditorDialog::onCommand(int id, int code) {
    if (closing_) return false;
    if (id == IDC_EDITOR_TYPE) {
        if (code == CBN_SELCHANGE) onTypeChanged();
        return code == CBN_SELCHANGE;
    }
    if (isCoordinateBox(id)) {
        // A box that loses the focus because it was just disabled leaves the marker hidden.
        if (code == EN_KILLFOCUS && hasPosition(record_.actionType) && IsWindowEnabled(item(id))) onCoordinatesTyped();
        return code == EN_KILLFOCUS;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_EDITOR_X_MINUS: nudge(-1, 0); return true;
        case IDC_EDITOR_X_PLUS: nudge(1, 0); return true;
        case IDC_EDITOR_Y_MINUS: nudge(0, -1); return true;
        case IDC_EDITOR_Y_PLUS: nudge(0, 1); return true;
        case IDC_EDITOR_REPEAT_UP: step(IDC_EDITOR_REPEAT, repeatCountUp); return true;
        case IDC_EDITOR_REPEAT_DOWN: step(IDC_EDITOR_REPEAT, repeatCountDown); return true;
        case IDC_EDITOR_PRE_WAIT_UP: step(IDC_EDITOR_PRE_WAIT, waitUp); return true;
        case IDC_EDITOR_PRE_WAIT_DOWN: step(IDC_EDITOR_PRE_WAIT, waitDown); return true;
        case IDC_EDITOR_POST_WAIT_UP: step(IDC_EDITOR_POST_WAIT, waitUp); return true;
        case IDC_EDITOR_POST_WAIT_DOWN: step(IDC_EDITOR_POST_WAIT, waitDown); return true;
        case IDC_EDITOR_TAKE_COLOUR: takeScreenColour(); return true;
        case IDC_EDITOR_CHOOSE_COLOUR: chooseColour(); return true;
        case IDC_EDITOR_BROWSE: browseFile(); return true;
        case IDC_EDITOR_DETAIL: openDetailSettings(); return true;
        case IDC_EDITOR_OFFSET_ENABLED: enable(IDC_EDITOR_OFFSET_REF, checked(IDC_EDITOR_OFFSET_ENABLED) == 1); return true;
        default: return false;  // the other check boxes keep their own state until OK
    }
}

void ActionEditorDialog::onTypeChanged() {
    const LRESULT selected = SendMessageW(item(IDC_EDITOR_TYPE), CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return;
    record_.actionType = static_cast<ActionType>(selected);
    if (hasPosition(record_.actionType)) {
        showPositionControls(true);
        record_.x = textAsInt(IDC_EDITOR_X);
        record_.y = textAsInt(IDC_EDITOR_Y);
        moveMarkerTo(record_.x, record_.y);
    } else {
        showPositionControls(false);
        services_.marker.hide();
    }
    applyTypeControls();
}

// The record's x and y stay as they are: OK reads the boxes.
void ActionEditorDialog::onCoordinatesTyped() { moveMarkerTo(textAsInt(IDC_EDITOR_X), textAsInt(IDC_EDITOR_Y)); }

// The boxes change through the mirroring timer once the marker has moved.
void ActionEditorDialog::nudge(int dx, int dy) {
    moveMarkerTo(nudgeCoordinate(textAsInt(IDC_EDITOR_X), dx), nudgeCoordinate(textAsInt(IDC_EDITOR_Y), dy));
}

void ActionEditorDialog::step(int boxId, int32_t (*next)(int32_t)) { setNumber(boxId, next(textAsInt(boxId))); }

bool ActionEditorDialog::onTimer(UINT_PTR id) {
    if (id != kMirrorTimer) return false;
    const POINT current = services_.marker.current();
    if (current.x != lastShownX_) setNumber(IDC_EDITOR_X, current.x);
    if (current.y != lastShownY_) setNumber(IDC_EDITOR_Y, current.y);
    lastShownX_ = current.x;
    lastShownY_ = current.y;
    return true;
}

void ActionEditorDialog::takePointerPosition() {
    const std::optional<Point> pointer = services_.input.cursorPos();
    if (!pointer) return;  // keep the numbers rather than put in a point nobody chose
    record_.x = pointer->x;
    record_.y = pointer->y;
    setNumber(IDC_EDITOR_X, record_.x);
    setNumber(IDC_EDITOR_Y, record_.y);
}

void ActionEditorDialog::takeScreenColour() {
    const std::optional<uint32_t> colour = services_.screen.pixelAt(textAsInt(IDC_EDITOR_X), textAsInt(IDC_EDITOR_Y));
    if (colour) record_.conditionColor = static_cast<int32_t>(*colour);
    paintSwatch(static_cast<COLORREF>(record_.conditionColor));
}

void ActionEditorDialog::chooseColour() {
    const std::optional<uint32_t> colour =
        services_.colours.chooseColour(hwnd(), static_cast<uint32_t>(record_.conditionColor));
    if (colour) record_.conditionColor = static_cast<int32_t>(*colour);
    paintSwatch(static_cast<COLORREF>(record_.conditionColor));
}

void ActionEditorDialog::browseFile() {
    // The file dialog belongs to the main window: keep the editor out of reach meanwhile.
    EnableWindow(hwnd(), FALSE);
    const std::optional<ChosenFile> chosen = services_.files.choose(ChooseMode::AnyFile, std::string());
    EnableWindow(hwnd(), TRUE);
    bringToFront();
    if (!chosen) return;
    if (!chosen->fitsCodePage) {
        informUser(kUnusableFileNameText);
        return;
    }
    setAnsiText(IDC_EDITOR_FILE_PATH, chosen->path);
}

void ActionEditorDialog::openDetailSettings() {
    DetailSettingsDialog detail(instance(), record_, rowNumber_);
    detail.runModal(hwnd());
}

// The swatch's interior, inside a one-pixel border, in one colour.
void ActionEditorDialog::paintSwatch(COLORREF colour) {
    HWND swatch = item(IDC_EDITOR_SWATCH);
    RECT client{};
    GetClientRect(swatch, &client);
    if (client.right - client.left <= 2) return;
    const WindowDc dc(swatch);
    const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    if (!dc.get() || !brush) return;
    const RECT interior{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    FillRect(dc.get(), &interior, brush.get());
}

bool ActionEditorDialog::onPaint() {
    {
        const PaintScope paint(hwnd());
    }
    if (record_.actionType == ActionType::Condition) {
        UpdateWindow(item(IDC_EDITOR_SWATCH));  // the frame first, then the colour inside it
        paintSwatch(static_cast<COLORREF>(record_.conditionColor));
    }
    return true;
}

void ActionEditorDialog::onOk() {
    if (!typedTextsFit()) return;  // the dialog stays open with the text as typed
    closing_ = true;
    record_.x = textAsInt(IDC_EDITOR_X);
    record_.y = textAsInt(IDC_EDITOR_Y);
    record_.preWaitMs = textAsInt(IDC_EDITOR_PRE_WAIT);
    record_.postWaitMs = textAsInt(IDC_EDITOR_POST_WAIT);
    record_.repeatCount = textAsInt(IDC_EDITOR_REPEAT);
    record_.inputText = ansiText(IDC_EDITOR_INPUT_TEXT, record_.inputText);
    record_.comment = ansiText(IDC_EDITOR_COMMENT, record_.comment);
    record_.filePath = ansiText(IDC_EDITOR_FILE_PATH, record_.filePath);
    record_.offsetRef = relativeFromShownText(wideToAnsi(text(IDC_EDITOR_OFFSET_REF)), rowNumber_);
    record_.newlineAfterInput = checked(IDC_EDITOR_NEWLINE);
    record_.startMaximized = checked(IDC_EDITOR_MAXIMIZED);
    record_.firstLoopOnly = checked(IDC_EDITOR_FIRST_LOOP_ONLY);
    record_.invertCondition = checked(IDC_EDITOR_INVERT);
    record_.offsetEnabled = checked(IDC_EDITOR_OFFSET_ENABLED);
    services_.marker.setMode(PositionMarker::Mode::Locked);  // it stays where it is, shown or hidden
    end(IDOK);
}

void ActionEditorDialog::onCancel() {
    closing_ = true;
    services_.marker.setMode(PositionMarker::Mode::Locked);
    services_.marker.hide();
    end(IDCANCEL);
}

bool ActionEditorDialog::onDropFiles(HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, 0, wide.data(), length + 1);
    wide.resize(copied <= length ? copied : 0);
    DragFinish(drop);
    const std::string path = cutDroppedPath(wideToAnsi(wide), services_.codePage);
    if (path.empty()) return true;

    setAnsiText(IDC_EDITOR_FILE_PATH, path);
    record_.actionType = ActionType::ExecuteFile;
    SendMessageW(item(IDC_EDITOR_TYPE), CB_SETCURSEL, code(ActionType::ExecuteFile), 0);
    showPositionControls(false);
    services_.marker.setMode(PositionMarker::Mode::Draggable);
    services_.marker.hide();
    for (int id : kFileControls) enable(id, true);  // the other type controls keep their state
    return true;
}

std::optional<INT_PTR> ActionEditorDialog::onMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_KEYDOWN && wParam == VK_F9) {
        takePointerPosition();
        return TRUE;
    }
    return std::nullopt;
}

// F9 works wherever the keyboard focus is inside the editor, not only on the dialog itself.
void ActionEditorDialog::listenForF9() {
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        SetWindowSubclass(child, controlProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

LRESULT CALLBACK ActionEditorDialog::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                 DWORD_PTR editor) {
    if (message == WM_KEYDOWN && wParam == VK_F9) {
        reinterpret_cast<ActionEditorDialog*>(editor)->takePointerPosition();
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, controlProc, id);
    return DefSubclassProc(control, message, wParam, lParam);
}

std::string ActionEditorDialog::ansiText(int id, const std::string& original) const {
    const std::wstring typed = text(id);
    // An untouched text keeps its exact bytes, even ones the code page cannot show.
    return typed == ansiToWide(original) ? original : wideToAnsi(typed);
}

// Refuses, naming its field, the first changed text that the code page cannot hold.
bool ActionEditorDialog::typedTextsFit() {
    const struct {
        int id;
        std::string_view label;
        const std::string& original;
    } fields[] = {
        {IDC_EDITOR_INPUT_TEXT, "入力文字", record_.inputText},
        {IDC_EDITOR_FILE_PATH, "ファイル名", record_.filePath},
        {IDC_EDITOR_COMMENT, "コメント", record_.comment},
    };
    for (const auto& field : fields) {
        const std::wstring typed = text(field.id);
        if (typed == ansiToWide(field.original) || fitsAnsiCodePage(typed)) continue;
        informUser(unusableCharactersMessage(field.label));
        SetFocus(item(field.id));
        return false;
    }
    return true;
}

void ActionEditorDialog::informUser(std::string_view text) {
    if (services_.prompter != nullptr) {
        services_.prompter->inform(text);
    } else {
        Win32Prompter(hwnd()).inform(text);
    }
}

void ActionEditorDialog::setAnsiText(int id, const std::string& text) { setText(id, ansiToWide(text)); }

void ActionEditorDialog::setNumber(int id, int64_t value) { setText(id, std::to_wstring(value)); }

}  // namespace tappling
