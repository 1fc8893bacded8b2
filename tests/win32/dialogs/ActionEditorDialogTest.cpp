// The action editor against its template, with the real position marker and scripted
// screen, pointer, colour chooser and file dialog.
#include "ui/dialogs/ActionEditorDialog.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "dialogs/DialogTemplateCheck.h"
#include "engine/TestWindow.h"
#include "engine/win32/Win32Input.h"
#include "resource.h"
#include "ui/dialogs/Win32ActionDialogs.h"
#include "ui/UiFakes.h"

namespace tappling {
namespace {

using test::ControlRow;

class ScriptedScreen final : public Screen {
public:
    std::optional<uint32_t> pixel;
    Point asked{};
    ScreenRect virtualScreen() override { return {0, 0, 1024, 768}; }
    std::optional<PixelCapture> capture(const ScreenRect&) override { return std::nullopt; }
    std::optional<uint32_t> pixelAt(int32_t x, int32_t y) override {
        asked = {x, y};
        return pixel;
    }
    uint32_t doubleClickTime() override { return 500; }
    Point doubleClickSize() override { return {4, 4}; }
};

class ScriptedPointer final : public InputSink {
public:
    Point position{};
    void setCursorPos(int32_t, int32_t) override {}
    void clipCursorFree() override {}
    Point cursorPos() override { return position; }
    void mouseButton(uint32_t) override {}
    void key(uint8_t, uint32_t) override {}
};

class ScriptedColours final : public ColourChooser {
public:
    std::optional<uint32_t> answer;
    uint32_t initial = 0;
    std::optional<uint32_t> chooseColour(HWND, uint32_t start) override {
        initial = start;
        return answer;
    }
};

class ScriptedFiles final : public FileDialogs {
public:
    std::optional<std::string> answer;
    std::optional<ChooseMode> mode;
    std::optional<std::string> choose(ChooseMode asked, const std::string&) override {
        mode = asked;
        return answer;
    }
};

ActionRecord recordOf(ActionType type, int32_t x = 120, int32_t y = 90) {
    ActionRecord record;
    record.actionType = type;
    record.x = x;
    record.y = y;
    return record;
}

// The template's controls, labels included.
const ControlRow kEditorControls[] = {
    {-1, L"Static", L"番号", 3, 4, 15, 8, SS_LEFT},
    {IDC_EDITOR_ROW_NUMBER, L"Edit", L"7", 18, 2, 17, 13, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"x", 43, 4, 8, 8, SS_LEFT},
    {IDC_EDITOR_X, L"Edit", L"120", 51, 2, 22, 13, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_X_MINUS, L"Button", L"", 74, 3, 6, 12, BS_PUSHBUTTON},
    {IDC_EDITOR_X_PLUS, L"Button", L"", 81, 3, 6, 12, BS_PUSHBUTTON},
    {-1, L"Static", L"y", 90, 4, 8, 8, SS_LEFT},
    {IDC_EDITOR_Y, L"Edit", L"90", 98, 2, 22, 13, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_Y_MINUS, L"Button", L"", 122, 3, 8, 6, BS_PUSHBUTTON},
    {IDC_EDITOR_Y_PLUS, L"Button", L"", 122, 9, 8, 6, BS_PUSHBUTTON},
    {-1, L"Static", L"ループ回数", 132, 5, 34, 8, SS_LEFT},
    {IDC_EDITOR_REPEAT, L"Edit", L"1", 166, 2, 28, 13, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_REPEAT_UP, L"Button", L"", 195, 3, 7, 6, BS_PUSHBUTTON},
    {IDC_EDITOR_REPEAT_DOWN, L"Button", L"", 195, 9, 7, 6, BS_PUSHBUTTON},
    {-1, L"Static", L"前ウェイト", 3, 20, 30, 8, SS_LEFT},
    {IDC_EDITOR_PRE_WAIT, L"Edit", L"500", 3, 30, 28, 13, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_PRE_WAIT_UP, L"Button", L"", 32, 30, 7, 6, BS_PUSHBUTTON},
    {IDC_EDITOR_PRE_WAIT_DOWN, L"Button", L"", 32, 36, 7, 6, BS_PUSHBUTTON},
    {-1, L"Static", L"イベント種類", 40, 20, 41, 8, SS_LEFT},
    // WS_VSCROLL of the template goes to the drop-down list, not the combo window.
    {IDC_EDITOR_TYPE, L"ComboBox", nullptr, 40, 30, 125, 257, CBS_DROPDOWNLIST},
    {-1, L"Static", L"後ウェイト", 167, 20, 30, 8, SS_LEFT},
    {IDC_EDITOR_POST_WAIT, L"Edit", L"500", 166, 30, 28, 13, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_POST_WAIT_UP, L"Button", L"", 195, 31, 7, 6, BS_PUSHBUTTON},
    {IDC_EDITOR_POST_WAIT_DOWN, L"Button", L"", 195, 37, 7, 6, BS_PUSHBUTTON},
    {-1, L"Static", L"", 3, 46, 200, 2, SS_ETCHEDHORZ},
    {-1, L"Static", L"入力文字", 3, 55, 29, 8, SS_LEFT},
    {IDC_EDITOR_INPUT_TEXT, L"Edit", L"", 40, 51, 113, 14, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_NEWLINE, L"Button", L"入力後改行", 157, 51, 46, 14, BS_AUTOCHECKBOX},
    {-1, L"Static", L"ファイル名", 3, 70, 32, 8, SS_LEFT},
    {IDC_EDITOR_FILE_PATH, L"Edit", L"", 40, 67, 93, 14, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_BROWSE, L"Button", L"参照", 134, 67, 19, 14, BS_PUSHBUTTON},
    {IDC_EDITOR_MAXIMIZED, L"Button", L"最大化起動", 157, 67, 46, 14, BS_AUTOCHECKBOX},
    {IDC_EDITOR_COLOUR_LABEL, L"Static", L"条件色指定", 3, 86, 34, 8, SS_LEFT},
    {IDC_EDITOR_SWATCH, L"Static", L"", 40, 84, 39, 13, SS_GRAYFRAME},
    {IDC_EDITOR_TAKE_COLOUR, L"Button", L"取得", 80, 83, 19, 14, BS_PUSHBUTTON},
    {IDC_EDITOR_CHOOSE_COLOUR, L"Button", L"指定", 100, 83, 19, 14, BS_PUSHBUTTON},
    {IDC_EDITOR_DETAIL, L"Button", L"詳細設定", 120, 83, 33, 14, BS_PUSHBUTTON},
    {IDC_EDITOR_INVERT, L"Button", L"以外の場合", 157, 83, 46, 14, BS_AUTOCHECKBOX},
    {-1, L"Static", L"", 3, 99, 200, 1, SS_ETCHEDHORZ},
    {-1, L"Static", L"コメント", 3, 106, 21, 8, SS_LEFT},
    {IDC_EDITOR_COMMENT, L"Edit", L"", 40, 103, 163, 14, ES_AUTOHSCROLL | WS_BORDER},
    {IDC_EDITOR_FIRST_LOOP_ONLY, L"Button", L"１回目のみ実行", 3, 120, 57, 8, BS_AUTOCHECKBOX},
    {IDC_EDITOR_OFFSET_ENABLED, L"Button", L"オフセット　　No.", 3, 131, 58, 8, BS_AUTOCHECKBOX},
    {IDC_EDITOR_OFFSET_REF, L"Edit", L"7", 61, 128, 15, 13, ES_AUTOHSCROLL | WS_BORDER},
    {IDOK, L"Button", L"OK", 101, 124, 50, 14, BS_DEFPUSHBUTTON},
    {IDCANCEL, L"Button", L"ｷｬﾝｾﾙ", 153, 124, 50, 14, BS_PUSHBUTTON},
};

class ActionEditorDialogTest : public ::testing::Test {
protected:
    ~ActionEditorDialogTest() override {
        editor.reset();
        marker.hide();
        test::pumpFor(20);
    }
    HWND open(const ActionRecord& record, int32_t rowNumber = 7) {
        editor = std::make_unique<ActionEditorDialog>(GetModuleHandleW(nullptr), services, record, rowNumber);
        HWND hwnd = editor->createModeless();
        EXPECT_NE(hwnd, nullptr);
        test::pumpFor(20);
        return hwnd;
    }
    HWND control(int id) const { return GetDlgItem(editor->hwnd(), id); }
    std::wstring textOf(int id) const { return test::windowText(control(id)); }
    void type(int id, const wchar_t* text) { SetWindowTextW(control(id), text); }
    void click(int id) { SendMessageW(editor->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control(id))); }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    void selectType(ActionType type) {
        SendMessageW(control(IDC_EDITOR_TYPE), CB_SETCURSEL, code(type), 0);
        SendMessageW(editor->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_EDITOR_TYPE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control(IDC_EDITOR_TYPE)));
    }
    bool markerShown() const { return marker.window() != nullptr && IsWindowVisible(marker.window()); }

    PositionMarker marker{GetModuleHandleW(nullptr)};
    ScriptedScreen screen;
    ScriptedPointer pointer;
    ScriptedColours colours;
    ScriptedFiles files;
    ActionEditorServices services{marker, screen, pointer, colours, files};
    std::unique_ptr<ActionEditorDialog> editor;
};

TEST_F(ActionEditorDialogTest, ControlsFollowTheTemplate) {
    ActionRecord record = recordOf(ActionType::LeftClick);
    HWND dialog = open(record);
    test::expectDialogFrame(dialog, L"設定");
    test::expectControls(dialog, kEditorControls);
    HWND types = control(IDC_EDITOR_TYPE);
    ASSERT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), kActionTypeCount);
    EXPECT_EQ(GetWindowLongPtrW(types, GWL_STYLE) & CBS_SORT, 0);
    for (int32_t i = 0; i < kActionTypeCount; ++i) {
        wchar_t name[64] = {};
        SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(std::wstring(name), utf8ToWide(typeName(static_cast<ActionType>(i)))) << i;
    }
    EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
}

// Which type-dependent controls are enabled, as the editor opens on each type.
TEST_F(ActionEditorDialogTest, EnabledControlsFollowTheType) {
    struct Case {
        ActionType type;
        bool position, input, file, condition, detail;
    };
    const Case cases[] = {
        {ActionType::LeftClick, true, false, false, false, false},
        {ActionType::WaitOnly, false, false, false, false, false},
        {ActionType::KeyboardInput, false, true, false, false, false},
        {ActionType::ExecuteFile, false, false, true, false, false},
        {ActionType::Condition, true, false, false, true, true},
        {ActionType::Skip, false, false, false, false, true},
        {ActionType::Shutdown, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        open(recordOf(c.type));
        SCOPED_TRACE(code(c.type));
        EXPECT_EQ(enabled(IDC_EDITOR_X), c.position);
        EXPECT_EQ(enabled(IDC_EDITOR_Y), c.position);
        EXPECT_EQ(markerShown(), c.position);
        EXPECT_EQ(enabled(IDC_EDITOR_INPUT_TEXT), c.input);
        EXPECT_EQ(enabled(IDC_EDITOR_NEWLINE), c.input);
        for (int id : {IDC_EDITOR_FILE_PATH, IDC_EDITOR_MAXIMIZED, IDC_EDITOR_BROWSE}) EXPECT_EQ(enabled(id), c.file) << id;
        for (int id : {IDC_EDITOR_SWATCH, IDC_EDITOR_CHOOSE_COLOUR, IDC_EDITOR_TAKE_COLOUR, IDC_EDITOR_INVERT})
            EXPECT_EQ(enabled(id), c.condition) << id;
        EXPECT_EQ(enabled(IDC_EDITOR_DETAIL), c.detail);
        for (int id : {IDC_EDITOR_COMMENT, IDC_EDITOR_REPEAT, IDC_EDITOR_PRE_WAIT, IDC_EDITOR_POST_WAIT, IDOK})
            EXPECT_TRUE(enabled(id)) << id;
        EXPECT_FALSE(enabled(IDC_EDITOR_OFFSET_REF));
        EXPECT_EQ(marker.locked, 0);
    }
}

TEST_F(ActionEditorDialogTest, StepButtons) {
    struct Case {
        int box, button;
        const wchar_t* before;
        const wchar_t* after;
    };
    const Case cases[] = {
        {IDC_EDITOR_REPEAT, IDC_EDITOR_REPEAT_UP, L"1", L"2"},
        {IDC_EDITOR_REPEAT, IDC_EDITOR_REPEAT_DOWN, L"1", L"1"},
        {IDC_EDITOR_REPEAT, IDC_EDITOR_REPEAT_DOWN, L"abc", L"1"},
        {IDC_EDITOR_PRE_WAIT, IDC_EDITOR_PRE_WAIT_UP, L"250", L"500"},
        {IDC_EDITOR_PRE_WAIT, IDC_EDITOR_PRE_WAIT_DOWN, L"250", L"0"},
        {IDC_EDITOR_PRE_WAIT, IDC_EDITOR_PRE_WAIT_DOWN, L"1000", L"500"},
        {IDC_EDITOR_POST_WAIT, IDC_EDITOR_POST_WAIT_UP, L"500", L"1000"},
        {IDC_EDITOR_POST_WAIT, IDC_EDITOR_POST_WAIT_DOWN, L"501", L"500"},
        {IDC_EDITOR_POST_WAIT, IDC_EDITOR_POST_WAIT_UP, L"99999999999", L"2147483647"},
    };
    open(recordOf(ActionType::LeftClick));
    for (const Case& c : cases) {
        type(c.box, c.before);
        click(c.button);
        EXPECT_EQ(textOf(c.box), c.after) << c.button << " on " << c.before;
    }
}

// OK reads every box, disabled ones included, and every check box, into the copy.
TEST_F(ActionEditorDialogTest, OkReadsEveryBoxAndCheckBox) {
    ActionRecord original = recordOf(ActionType::WaitOnly);
    original.invertCondition = 2;
    original.conditionColor = 0x112233;
    open(original, 5);
    EXPECT_FALSE(IsDlgButtonChecked(editor->hwnd(), IDC_EDITOR_INVERT));
    type(IDC_EDITOR_X, L"-15");
    type(IDC_EDITOR_Y, L"abc");
    type(IDC_EDITOR_PRE_WAIT, L"-300");
    type(IDC_EDITOR_POST_WAIT, L"99999999999");
    type(IDC_EDITOR_REPEAT, L"0");
    type(IDC_EDITOR_INPUT_TEXT, L"日本語 text");
    type(IDC_EDITOR_COMMENT, L"コメント");
    type(IDC_EDITOR_FILE_PATH, L"C:\\data\\a.txt");
    type(IDC_EDITOR_OFFSET_REF, L"7");
    for (int id : {IDC_EDITOR_NEWLINE, IDC_EDITOR_MAXIMIZED, IDC_EDITOR_FIRST_LOOP_ONLY, IDC_EDITOR_OFFSET_ENABLED})
        CheckDlgButton(editor->hwnd(), id, BST_CHECKED);
    click(IDOK);
    ASSERT_EQ(editor->result(), IDOK);
    const ActionRecord& r = editor->record();
    EXPECT_EQ(r.x, -15);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.preWaitMs, -300);
    EXPECT_EQ(r.postWaitMs, INT32_MAX);
    EXPECT_EQ(r.repeatCount, 0);
    EXPECT_EQ(r.inputText, "\x93\xfa\x96\x7b\x8c\xea text");  // code page 932
    EXPECT_EQ(r.comment, "\x83\x52\x83\x81\x83\x93\x83\x67");
    EXPECT_EQ(r.filePath, "C:\\data\\a.txt");
    EXPECT_EQ(r.offsetRef, 2);
    EXPECT_EQ(r.newlineAfterInput, 1);
    EXPECT_EQ(r.startMaximized, 1);
    EXPECT_EQ(r.firstLoopOnly, 1);
    EXPECT_EQ(r.offsetEnabled, 1);
    EXPECT_EQ(r.invertCondition, 0);
    EXPECT_EQ(r.conditionColor, 0x112233);
    EXPECT_EQ(r.actionType, ActionType::WaitOnly);
    EXPECT_EQ(marker.locked, 1);
}

TEST_F(ActionEditorDialogTest, UntouchedRecordComesBackWhole) {
    ActionRecord original = recordOf(ActionType::Condition, 33, 44);
    original.inputText = "\x82\xa0\xff";  // bytes the code page cannot show survive an untouched box
    original.comment = "note";
    original.offsetRef = -3;
    original.trueJump = 4;
    original.invertCondition = 1;
    original.conditionColor = 0x00ABCDEF;
    open(original, 9);
    EXPECT_EQ(textOf(IDC_EDITOR_OFFSET_REF), L"6");
    click(IDOK);
    EXPECT_EQ(editor->record(), original);
}

TEST_F(ActionEditorDialogTest, CancelLocksAndHidesTheMarker) {
    open(recordOf(ActionType::LeftClick));
    selectType(ActionType::Condition);
    colours.answer = 0x0000FF;
    click(IDC_EDITOR_CHOOSE_COLOUR);
    click(IDCANCEL);
    EXPECT_EQ(editor->result(), IDCANCEL);
    EXPECT_EQ(marker.locked, 1);
    EXPECT_FALSE(markerShown());
}

TEST_F(ActionEditorDialogTest, TypeChangeTakesTheBoxesAndShowsTheMarker) {
    open(recordOf(ActionType::WaitOnly, 120, 90));
    EXPECT_FALSE(markerShown());
    type(IDC_EDITOR_X, L"140");
    selectType(ActionType::LeftClick);
    EXPECT_EQ(editor->record().actionType, ActionType::LeftClick);
    EXPECT_EQ(editor->record().x, 140);
    EXPECT_TRUE(markerShown());
    EXPECT_EQ(marker.currentX, 140);
    EXPECT_EQ(marker.currentY, 90);
    EXPECT_TRUE(enabled(IDC_EDITOR_X));
    selectType(ActionType::KeyboardInput);
    EXPECT_FALSE(markerShown());
    EXPECT_FALSE(enabled(IDC_EDITOR_Y));
    EXPECT_TRUE(enabled(IDC_EDITOR_INPUT_TEXT));
}

TEST_F(ActionEditorDialogTest, UnknownTypeSelectsNothingAndKeepsItsCode) {
    open(recordOf(static_cast<ActionType>(40)));
    EXPECT_EQ(SendMessageW(control(IDC_EDITOR_TYPE), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_TRUE(markerShown());
    click(IDOK);
    EXPECT_EQ(code(editor->record().actionType), 40);
}

// The marker follows typed coordinates when a box loses the focus, and the nudge buttons;
// the boxes follow the marker through the mirroring timer.
TEST_F(ActionEditorDialogTest, MarkerAndBoxesFollowEachOther) {
    open(recordOf(ActionType::LeftClick, 120, 90));
    EXPECT_EQ(marker.currentX, 120);
    SetFocus(control(IDC_EDITOR_X));
    type(IDC_EDITOR_X, L"200");
    type(IDC_EDITOR_Y, L"160");
    SetFocus(control(IDC_EDITOR_COMMENT));
    test::pumpFor(20);
    EXPECT_EQ(marker.currentX, 200);
    EXPECT_EQ(marker.currentY, 160);
    EXPECT_EQ(editor->record().x, 120);  // OK reads the boxes

    const struct {
        int button, x, y;
    } nudges[] = {{IDC_EDITOR_X_MINUS, 199, 160}, {IDC_EDITOR_X_PLUS, 200, 160}, {IDC_EDITOR_Y_MINUS, 200, 159},
                  {IDC_EDITOR_Y_PLUS, 200, 160}};
    for (const auto& n : nudges) {
        click(n.button);
        EXPECT_EQ(marker.currentX, n.x);
        EXPECT_EQ(marker.currentY, n.y);
        EXPECT_TRUE(test::pumpUntil([&] { return textOf(IDC_EDITOR_X) == std::to_wstring(n.x) &&
                                                 textOf(IDC_EDITOR_Y) == std::to_wstring(n.y); }, 1000))
            << n.button;
    }
    SetWindowPos(marker.window(), nullptr, 321, 87, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(test::pumpUntil([&] { return textOf(IDC_EDITOR_X) == L"321" && textOf(IDC_EDITOR_Y) == L"87"; }, 1000));
    click(IDOK);
    EXPECT_EQ(editor->record().x, 321);
    EXPECT_EQ(editor->record().y, 87);
}

// A real drag of the marker with the mouse moves the boxes; OK stores the new point.
TEST_F(ActionEditorDialogTest, BoxesFollowARealDragOfTheMarker) {
    open(recordOf(ActionType::LeftClick, 300, 200));
    SetWindowPos(marker.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    test::pumpFor(50);
    Win32Input input;
    input.setCursorPos(306, 206);
    test::pumpFor(50);
    input.mouseButton(kLeftDown);
    test::pumpFor(50);
    input.setCursorPos(316, 201);
    test::pumpFor(50);
    input.mouseButton(kLeftUp);
    EXPECT_TRUE(test::pumpUntil([&] { return textOf(IDC_EDITOR_X) == L"310" && textOf(IDC_EDITOR_Y) == L"195"; }, 3000))
        << "x " << marker.currentX << " y " << marker.currentY;
    click(IDOK);
    EXPECT_EQ(editor->record().x, 310);
    EXPECT_EQ(editor->record().y, 195);
    test::pumpFor(GetDoubleClickTime() + 50);
}

TEST_F(ActionEditorDialogTest, F9TakesThePointerWhereverTheFocusIs) {
    open(recordOf(ActionType::LeftClick, 120, 90));
    pointer.position = {77, 88};
    SendMessageW(control(IDC_EDITOR_COMMENT), WM_KEYDOWN, VK_F9, 0);
    EXPECT_EQ(textOf(IDC_EDITOR_X), L"77");
    EXPECT_EQ(textOf(IDC_EDITOR_Y), L"88");
    EXPECT_EQ(editor->record().x, 77);
    pointer.position = {5, 6};
    SendMessageW(editor->hwnd(), WM_KEYDOWN, VK_F9, 0);
    EXPECT_EQ(editor->record().y, 6);
    EXPECT_EQ(marker.currentX, 120);  // the marker stays
    test::pumpFor(20);
    EXPECT_EQ(textOf(IDC_EDITOR_X), L"5");
}

TEST_F(ActionEditorDialogTest, ColourFromTheScreenAndTheChooser) {
    ActionRecord original = recordOf(ActionType::Condition, 120, 90);
    original.conditionColor = 0x010203;
    open(original);
    type(IDC_EDITOR_X, L"130");
    screen.pixel = std::nullopt;
    click(IDC_EDITOR_TAKE_COLOUR);
    EXPECT_EQ(editor->record().conditionColor, 0x010203);
    screen.pixel = 0x00A0B0C0;
    click(IDC_EDITOR_TAKE_COLOUR);
    EXPECT_EQ(screen.asked, (Point{130, 90}));
    EXPECT_EQ(editor->record().conditionColor, 0x00A0B0C0);

    colours.answer = std::nullopt;
    click(IDC_EDITOR_CHOOSE_COLOUR);
    EXPECT_EQ(colours.initial, 0x00A0B0C0u);
    EXPECT_EQ(editor->record().conditionColor, 0x00A0B0C0);
    colours.answer = 0x00123456;
    click(IDC_EDITOR_CHOOSE_COLOUR);
    EXPECT_EQ(editor->record().conditionColor, 0x00123456);
}

// The swatch shows the condition colour inside its frame; other types leave it plain.
TEST_F(ActionEditorDialogTest, SwatchShowsTheConditionColour) {
    ActionRecord original = recordOf(ActionType::Condition);
    original.conditionColor = 0x00204080;
    open(original);
    ShowWindow(editor->hwnd(), SW_SHOW);
    SetWindowPos(editor->hwnd(), HWND_TOPMOST, 400, 300, 0, 0, SWP_NOSIZE);
    auto pixel = [&](int x, int y) {
        HWND swatch = control(IDC_EDITOR_SWATCH);
        HDC dc = GetDC(swatch);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(swatch, dc);
        return colour;
    };
    EXPECT_TRUE(test::pumpUntil([&] { return pixel(5, 5) == 0x00204080; }, 2000)) << std::hex << pixel(5, 5);
    colours.answer = 0x00FF8000;
    click(IDC_EDITOR_CHOOSE_COLOUR);
    EXPECT_EQ(pixel(3, 3), 0x00FF8000u);
    EXPECT_NE(pixel(0, 0), 0x00FF8000u);  // the frame stays
    selectType(ActionType::WaitOnly);
    EXPECT_EQ(pixel(5, 5), GetSysColor(COLOR_BTNFACE));
}

// "詳細設定" runs the detail settings on the editor's copy; OK there writes into it.
TEST_F(ActionEditorDialogTest, DetailSettingsWriteIntoTheCopy) {
    ActionRecord original = recordOf(ActionType::Condition);
    original.trueJump = 1;
    open(original, 4);
    std::thread user([] {
        HWND found = nullptr;
        for (int i = 0; i < 500 && (found == nullptr || !IsWindowVisible(found)); ++i, Sleep(10))
            found = FindWindowW(nullptr, L"詳細設定");
        if (found == nullptr) return;
        SendMessageW(GetDlgItem(found, IDC_DETAIL_TRUE_JUMP), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"10"));
        SendMessageW(GetDlgItem(found, IDC_DETAIL_RANGE_X), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
        PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    click(IDC_EDITOR_DETAIL);  // modal until the user above presses OK
    user.join();
    EXPECT_EQ(editor->record().trueJump, 6);
    EXPECT_EQ(editor->record().searchRangeX, 12);
    click(IDOK);
    EXPECT_EQ(editor->record().trueJump, 6);
}

// F9 pressed on the real keyboard while a box has the focus.
TEST_F(ActionEditorDialogTest, F9WithRealInput) {
    open(recordOf(ActionType::WaitOnly));
    ShowWindow(editor->hwnd(), SW_SHOW);
    SetForegroundWindow(editor->hwnd());
    SetFocus(control(IDC_EDITOR_COMMENT));
    test::pumpFor(50);
    pointer.position = {412, 213};
    Win32Input input;
    input.key(VK_F9, 0);
    input.key(VK_F9, KEYEVENTF_KEYUP);
    EXPECT_TRUE(test::pumpUntil([&] { return textOf(IDC_EDITOR_X) == L"412"; }, 2000));
    EXPECT_EQ(textOf(IDC_EDITOR_Y), L"213");
}

TEST_F(ActionEditorDialogTest, BrowseFillsTheFileName) {
    open(recordOf(ActionType::ExecuteFile));
    type(IDC_EDITOR_FILE_PATH, L"keep");
    click(IDC_EDITOR_BROWSE);
    EXPECT_EQ(files.mode, ChooseMode::AnyFile);
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), L"keep");
    files.answer = "C:\\tools\\run.bat";
    click(IDC_EDITOR_BROWSE);
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), L"C:\\tools\\run.bat");
    EXPECT_TRUE(enabled(IDOK));
}

// A shell drop of one or more paths, as the shell packs them.
HDROP makeDrop(const std::wstring& path) {
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(ActionEditorDialogTest, DroppedFileSwitchesToExecuteFile) {
    open(recordOf(ActionType::LeftClick, 50, 60));
    ShowWindow(editor->hwnd(), SW_SHOW);
    SetFocus(control(IDC_EDITOR_X));  // disabling the focused box must not bring the marker back
    ASSERT_EQ(GetFocus(), control(IDC_EDITOR_X));
    SendMessageW(editor->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(L"C:\\docs\\報告.txt")), 0);
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), L"C:\\docs\\報告.txt");
    EXPECT_EQ(editor->record().actionType, ActionType::ExecuteFile);
    EXPECT_EQ(SendMessageW(control(IDC_EDITOR_TYPE), CB_GETCURSEL, 0, 0), code(ActionType::ExecuteFile));
    EXPECT_FALSE(enabled(IDC_EDITOR_X));
    EXPECT_FALSE(markerShown());
    for (int id : {IDC_EDITOR_FILE_PATH, IDC_EDITOR_MAXIMIZED, IDC_EDITOR_BROWSE}) EXPECT_TRUE(enabled(id)) << id;

    selectType(ActionType::KeyboardInput);
    SendMessageW(editor->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(L"C:\\b.txt")), 0);
    EXPECT_TRUE(enabled(IDC_EDITOR_INPUT_TEXT));  // the other type controls keep their state
    EXPECT_TRUE(enabled(IDC_EDITOR_FILE_PATH));

    // A path longer than the buffer is cut to 255 bytes.
    const std::wstring longPath = L"C:\\" + std::wstring(400, L'a');
    SendMessageW(editor->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(longPath)), 0);
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), longPath.substr(0, 255));
    click(IDOK);
    EXPECT_EQ(editor->record().filePath.size(), 255u);
}

TEST_F(ActionEditorDialogTest, OffsetBoxFollowsItsCheckBox) {
    open(recordOf(ActionType::LeftClick));
    EXPECT_FALSE(enabled(IDC_EDITOR_OFFSET_REF));
    CheckDlgButton(editor->hwnd(), IDC_EDITOR_OFFSET_ENABLED, BST_CHECKED);
    click(IDC_EDITOR_OFFSET_ENABLED);
    EXPECT_TRUE(enabled(IDC_EDITOR_OFFSET_REF));
}

// Modal, through the seam the main window uses: the fields round-trip on OK, Cancel
// gives nothing back.
TEST_F(ActionEditorDialogTest, ModalEditorThroughTheSeam) {
    TestPlatform platform;
    ScriptedFiles noFiles;
    Win32ActionDialogs dialogs(GetModuleHandleW(nullptr), marker, platform.platform, noFiles);
    for (const bool accept : {true, false}) {
        std::atomic<bool> done{false};
        std::thread user([&] {
            HWND found = nullptr;
            for (int i = 0; i < 500 && (found == nullptr || !IsWindowVisible(found)); ++i, Sleep(10))
                found = FindWindowW(nullptr, L"設定");
            if (found != nullptr) {
                SendMessageW(GetDlgItem(found, IDC_EDITOR_COMMENT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited"));
                PostMessageW(found, WM_COMMAND, MAKEWPARAM(accept ? IDOK : IDCANCEL, BN_CLICKED), 0);
            }
            done = true;
        });
        ActionRecord original = recordOf(ActionType::RightClick, 11, 22);
        original.comment = "before";
        const std::optional<ActionRecord> edited = dialogs.editAction(original, 3);
        user.join();
        ASSERT_TRUE(done);
        if (accept) {
            ASSERT_TRUE(edited.has_value());
            ActionRecord expected = original;
            expected.comment = "edited";
            EXPECT_EQ(edited->comment, "edited");
            EXPECT_EQ(*edited, expected);
        } else {
            EXPECT_FALSE(edited.has_value());
        }
        EXPECT_EQ(marker.locked, 1);
    }
}

}  // namespace
}  // namespace tappling
