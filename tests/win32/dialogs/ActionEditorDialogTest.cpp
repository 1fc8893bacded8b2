// The action editor against its template, with the real position marker and a scripted
// screen, pointer, colour chooser and file dialog. The arithmetic behind the controls is
// proven natively; here each control is checked once for its wiring.
#include "ui/dialogs/ActionEditorDialog.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <memory>

#include "dialogs/DialogTestSupport.h"
#include "engine/TestWindow.h"
#include "engine/win32/Win32Input.h"
#include "resource.h"
#include "ui/UiFakes.h"
#include "ui/dialogs/Win32ActionDialogs.h"

namespace tappling {
namespace {

using namespace test;

// Everything the editor asks the system, answered from a script.
class Scripted final : public Screen, public InputSink, public ColourChooser, public FileDialogs {
public:
    std::optional<uint32_t> pixel, colour;
    std::optional<std::string> file;
    bool fileFits = true;
    Point pointer{}, pixelAsked{};
    uint32_t colourAsked = 0;
    std::optional<ChooseMode> fileAsked;

    ScreenRect virtualScreen() override { return {0, 0, 1024, 768}; }
    std::optional<PixelCapture> capture(const ScreenRect&) override { return std::nullopt; }
    std::optional<uint32_t> pixelAt(int32_t x, int32_t y) override { return pixelAsked = {x, y}, pixel; }
    uint32_t doubleClickTime() override { return 500; }
    Point doubleClickSize() override { return {4, 4}; }
    void setCursorPos(int32_t, int32_t) override {}
    void clipCursorFree() override {}
    std::optional<Point> cursorPos() override { return pointer; }
    void mouseButton(uint32_t) override {}
    void key(uint8_t, uint32_t) override {}
    std::optional<uint32_t> chooseColour(HWND, uint32_t initial) override { return colourAsked = initial, colour; }
    std::optional<ChosenFile> choose(ChooseMode mode, const std::string&) override {
        fileAsked = mode;
        if (!file) return std::nullopt;
        return ChosenFile{*file, fileFits};
    }
};

ActionRecord recordOf(ActionType type, int32_t x = 120, int32_t y = 90) {
    ActionRecord record;
    record.actionType = type;
    record.x = x;
    record.y = y;
    return record;
}

// The template's controls, labels included, opened on a LeftClick at (120, 90) in row 7.
const ControlRow kEditorControls[] = {
    {-1, Label, L"番号", 3, 4, 15, 8},                   {IDC_EDITOR_ROW_NUMBER, ReadOnlyEdit, L"7", 18, 2, 17, 13},
    {-1, Label, L"x", 43, 4, 8, 8},                      {IDC_EDITOR_X, Edit, L"120", 51, 2, 22, 13},
    {IDC_EDITOR_X_MINUS, Push, L"", 74, 3, 6, 12},       {IDC_EDITOR_X_PLUS, Push, L"", 81, 3, 6, 12},
    {-1, Label, L"y", 90, 4, 8, 8},                      {IDC_EDITOR_Y, Edit, L"90", 98, 2, 22, 13},
    {IDC_EDITOR_Y_MINUS, Push, L"", 122, 3, 8, 6},       {IDC_EDITOR_Y_PLUS, Push, L"", 122, 9, 8, 6},
    {-1, Label, L"ループ回数", 132, 5, 34, 8},           {IDC_EDITOR_REPEAT, Edit, L"1", 166, 2, 28, 13},
    {IDC_EDITOR_REPEAT_UP, Push, L"", 195, 3, 7, 6},     {IDC_EDITOR_REPEAT_DOWN, Push, L"", 195, 9, 7, 6},
    {-1, Label, L"前ウェイト", 3, 20, 30, 8},            {IDC_EDITOR_PRE_WAIT, Edit, L"500", 3, 30, 28, 13},
    {IDC_EDITOR_PRE_WAIT_UP, Push, L"", 32, 30, 7, 6},   {IDC_EDITOR_PRE_WAIT_DOWN, Push, L"", 32, 36, 7, 6},
    {-1, Label, L"イベント種類", 40, 20, 41, 8},         {IDC_EDITOR_TYPE, DropList, nullptr, 40, 30, 125, 257},
    {-1, Label, L"後ウェイト", 167, 20, 30, 8},          {IDC_EDITOR_POST_WAIT, Edit, L"500", 166, 30, 28, 13},
    {IDC_EDITOR_POST_WAIT_UP, Push, L"", 195, 31, 7, 6}, {IDC_EDITOR_POST_WAIT_DOWN, Push, L"", 195, 37, 7, 6},
    {-1, Line, L"", 3, 46, 200, 2},                      {-1, Label, L"入力文字", 3, 55, 29, 8},
    {IDC_EDITOR_INPUT_TEXT, Edit, L"", 40, 51, 113, 14}, {IDC_EDITOR_NEWLINE, Check, L"入力後改行", 157, 51, 46, 14},
    {-1, Label, L"ファイル名", 3, 70, 32, 8},            {IDC_EDITOR_FILE_PATH, Edit, L"", 40, 67, 93, 14},
    {IDC_EDITOR_BROWSE, Push, L"参照", 134, 67, 19, 14}, {IDC_EDITOR_MAXIMIZED, Check, L"最大化起動", 157, 67, 46, 14},
    {IDC_EDITOR_COLOUR_LABEL, Label, L"条件色指定", 3, 86, 34, 8}, {IDC_EDITOR_SWATCH, Frame, L"", 40, 84, 39, 13},
    {IDC_EDITOR_TAKE_COLOUR, Push, L"取得", 80, 83, 19, 14}, {IDC_EDITOR_CHOOSE_COLOUR, Push, L"指定", 100, 83, 19, 14},
    {IDC_EDITOR_DETAIL, Push, L"詳細設定", 120, 83, 33, 14}, {IDC_EDITOR_INVERT, Check, L"以外の場合", 157, 83, 46, 14},
    {-1, Line, L"", 3, 99, 200, 1},                      {-1, Label, L"コメント", 3, 106, 21, 8},
    {IDC_EDITOR_COMMENT, Edit, L"", 40, 103, 163, 14},
    {IDC_EDITOR_FIRST_LOOP_ONLY, Check, L"１回目のみ実行", 3, 120, 57, 8},
    {IDC_EDITOR_OFFSET_ENABLED, Check, L"オフセット　　No.", 3, 131, 58, 8},
    {IDC_EDITOR_OFFSET_REF, Edit, L"7", 61, 128, 15, 13},
    {IDOK, DefaultPush, L"OK", 101, 124, 50, 14},        {IDCANCEL, Push, L"ｷｬﾝｾﾙ", 153, 124, 50, 14},
};

class ActionEditorDialogTest : public ::testing::Test {
protected:
    ~ActionEditorDialogTest() override {
        editor.reset();
        marker.hide();
        pumpFor(20);
    }
    HWND open(const ActionRecord& record, int32_t rowNumber = 7) {
        editor = std::make_unique<ActionEditorDialog>(GetModuleHandleW(nullptr), services, record, rowNumber);
        HWND hwnd = editor->createModeless();
        EXPECT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        pumpFor(20);
        return hwnd;
    }
    HWND control(int id) const { return GetDlgItem(editor->hwnd(), id); }
    std::wstring textOf(int id) const { return windowText(control(id)); }
    void type(int id, const wchar_t* text) { SetWindowTextW(control(id), text); }
    void click(int id) { test::click(editor->hwnd(), id); }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    void selectType(ActionType type) {
        SendMessageW(control(IDC_EDITOR_TYPE), CB_SETCURSEL, code(type), 0);
        SendMessageW(editor->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_EDITOR_TYPE, CBN_SELCHANGE), 0);
    }
    bool markerShown() const { return marker.window() != nullptr && IsWindowVisible(marker.window()); }
    bool markerAt(int x, int y) const { return marker.current().x == x && marker.current().y == y; }
    bool boxesShow(int x, int y) {
        return pumpUntil([&] { return textOf(IDC_EDITOR_X) == std::to_wstring(x) &&
                                      textOf(IDC_EDITOR_Y) == std::to_wstring(y); }, 2000);
    }
    Point recordAt() const { return {editor->record().x, editor->record().y}; }

    PositionMarker marker{GetModuleHandleW(nullptr)};
    Scripted system;
    Win32CodePage codePage;
    ActionEditorServices services{marker, system, system, system, system, codePage};
    std::unique_ptr<ActionEditorDialog> editor;
};

TEST_F(ActionEditorDialogTest, ControlsFollowTheTemplate) {
    HWND dialog = open(recordOf(ActionType::LeftClick));
    expectDialogFrame(dialog, L"設定");
    expectControls(dialog, kEditorControls);
    HWND types = control(IDC_EDITOR_TYPE);
    ASSERT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), kActionTypeCount);
    EXPECT_EQ(GetWindowLongPtrW(types, GWL_STYLE) & CBS_SORT, 0);
    for (int32_t i = 0; i < kActionTypeCount; ++i) {
        wchar_t name[64] = {};
        SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(std::wstring(name), utf8ToWide(typeName(static_cast<ActionType>(i)))) << i;
    }
    EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
    open(recordOf(static_cast<ActionType>(40)));  // unknown: nothing selected, the code kept
    EXPECT_EQ(SendMessageW(control(IDC_EDITOR_TYPE), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_TRUE(markerShown());
    click(IDOK);
    EXPECT_EQ(code(editor->record().actionType), 40);
}

// The enabling groups as the editor opens on a type (the first step) and after each change
// in the type list; a change to a type with a position takes the boxes and shows the marker
// there. Cancel then locks and hides the marker.
TEST_F(ActionEditorDialogTest, EnabledControlsFollowTheTypeThenCancel) {
    const struct {
        ActionType type;
        const char* enabled;  // P position boxes, I input text, F file, C condition, D detail
    } steps[] = {{ActionType::Condition, "PCD"}, {ActionType::KeyboardInput, "I"}, {ActionType::ExecuteFile, "F"},
                 {ActionType::Skip, "D"},        {ActionType::WaitOnly, ""},       {ActionType::LeftClick, "P"}};
    const std::pair<char, std::vector<int>> groups[] = {
        {'P', {IDC_EDITOR_X, IDC_EDITOR_Y}},
        {'I', {IDC_EDITOR_INPUT_TEXT, IDC_EDITOR_NEWLINE}},
        {'F', {IDC_EDITOR_FILE_PATH, IDC_EDITOR_MAXIMIZED, IDC_EDITOR_BROWSE}},
        {'C', {IDC_EDITOR_SWATCH, IDC_EDITOR_CHOOSE_COLOUR, IDC_EDITOR_TAKE_COLOUR, IDC_EDITOR_INVERT}},
        {'D', {IDC_EDITOR_DETAIL}}};
    open(recordOf(steps[0].type));
    for (const auto& step : steps) {
        SCOPED_TRACE(code(step.type));
        if (step.type == ActionType::LeftClick) type(IDC_EDITOR_X, L"140");
        if (&step != steps) selectType(step.type);
        for (const auto& [letter, ids] : groups)
            for (int id : ids) EXPECT_EQ(enabled(id), std::strchr(step.enabled, letter) != nullptr) << id;
        EXPECT_EQ(markerShown(), std::strchr(step.enabled, 'P') != nullptr);
        for (int id : {IDC_EDITOR_COMMENT, IDC_EDITOR_REPEAT, IDC_EDITOR_PRE_WAIT, IDC_EDITOR_POST_WAIT, IDOK})
            EXPECT_TRUE(enabled(id)) << id;
        EXPECT_FALSE(enabled(IDC_EDITOR_OFFSET_REF));
        EXPECT_EQ(marker.mode(), PositionMarker::Mode::Draggable);
    }
    EXPECT_EQ(editor->record().actionType, ActionType::LeftClick);
    EXPECT_EQ(recordAt(), (Point{140, 90}));
    EXPECT_TRUE(markerAt(140, 90));
    click(IDCANCEL);
    EXPECT_EQ(editor->result(), IDCANCEL);
    EXPECT_EQ(marker.mode(), PositionMarker::Mode::Locked);
    EXPECT_FALSE(markerShown());
}

// Each step button on its own box, read like atoi; the offset check box enables its box.
// Then OK reads every box, disabled ones included (a WaitOnly has no position, text or
// file), and every check box, into the copy.
TEST_F(ActionEditorDialogTest, StepButtonsThenOkReadsEveryBoxAndCheckBox) {
    const struct {
        int box, button;
        const wchar_t *before, *after;
    } steps[] = {
        {IDC_EDITOR_REPEAT, IDC_EDITOR_REPEAT_UP, L"1", L"2"},
        {IDC_EDITOR_REPEAT, IDC_EDITOR_REPEAT_DOWN, L"abc", L"1"},
        {IDC_EDITOR_PRE_WAIT, IDC_EDITOR_PRE_WAIT_UP, L"250", L"500"},
        {IDC_EDITOR_PRE_WAIT, IDC_EDITOR_PRE_WAIT_DOWN, L"1000", L"500"},
        {IDC_EDITOR_POST_WAIT, IDC_EDITOR_POST_WAIT_DOWN, L"501", L"500"},
        {IDC_EDITOR_POST_WAIT, IDC_EDITOR_POST_WAIT_UP, L"99999999999", L"2147483647"},
    };
    ActionRecord original = recordOf(ActionType::WaitOnly);
    original.invertCondition = 2;
    original.conditionColor = 0x112233;
    open(original, 5);
    EXPECT_FALSE(IsDlgButtonChecked(editor->hwnd(), IDC_EDITOR_INVERT));
    for (const auto& step : steps) {
        type(step.box, step.before);
        click(step.button);
        EXPECT_EQ(textOf(step.box), step.after) << step.button << " on " << step.before;
    }
    CheckDlgButton(editor->hwnd(), IDC_EDITOR_OFFSET_ENABLED, BST_CHECKED);
    click(IDC_EDITOR_OFFSET_ENABLED);
    EXPECT_TRUE(enabled(IDC_EDITOR_OFFSET_REF));
    const std::pair<int, const wchar_t*> typed[] = {
        {IDC_EDITOR_X, L"-15"},           {IDC_EDITOR_Y, L"abc"},          {IDC_EDITOR_PRE_WAIT, L"-300"},
        {IDC_EDITOR_POST_WAIT, L"99999999999"}, {IDC_EDITOR_REPEAT, L"0"}, {IDC_EDITOR_INPUT_TEXT, L"日本語 text"},
        {IDC_EDITOR_COMMENT, L"コメント"}, {IDC_EDITOR_FILE_PATH, L"C:\\a.txt"}, {IDC_EDITOR_OFFSET_REF, L"7"}};
    for (const auto& [id, text] : typed) type(id, text);
    for (int id : {IDC_EDITOR_NEWLINE, IDC_EDITOR_MAXIMIZED, IDC_EDITOR_FIRST_LOOP_ONLY})
        CheckDlgButton(editor->hwnd(), id, BST_CHECKED);
    click(IDOK);
    ASSERT_EQ(editor->result(), IDOK);
    ActionRecord expected = original;
    expected.x = -15;
    expected.y = expected.invertCondition = 0;
    expected.preWaitMs = -300;
    expected.postWaitMs = INT32_MAX;
    expected.repeatCount = 0;
    expected.inputText = "\x93\xfa\x96\x7b\x8c\xea text";  // code page 932
    expected.comment = "\x83\x52\x83\x81\x83\x93\x83\x67";
    expected.filePath = "C:\\a.txt";
    expected.offsetRef = 2;
    expected.newlineAfterInput = expected.startMaximized = expected.firstLoopOnly = expected.offsetEnabled = 1;
    EXPECT_EQ(editor->record(), expected);
    EXPECT_EQ(marker.mode(), PositionMarker::Mode::Locked);
}

// The marker follows typed coordinates when a box loses the focus, and the nudge buttons;
// the boxes follow a real drag of the marker with the mouse through the mirroring timer.
TEST_F(ActionEditorDialogTest, MarkerAndBoxesFollowEachOther) {
    open(recordOf(ActionType::LeftClick, 120, 90));
    EXPECT_TRUE(markerAt(120, 90));
    SetFocus(control(IDC_EDITOR_X));
    type(IDC_EDITOR_X, L"200");
    type(IDC_EDITOR_Y, L"160");
    SetFocus(control(IDC_EDITOR_COMMENT));
    EXPECT_TRUE(markerAt(200, 160));
    EXPECT_EQ(recordAt(), (Point{120, 90}));  // OK reads the boxes
    const struct {
        int button, x, y;
    } nudges[] = {{IDC_EDITOR_X_MINUS, 199, 160}, {IDC_EDITOR_X_PLUS, 200, 160}, {IDC_EDITOR_Y_MINUS, 200, 159},
                  {IDC_EDITOR_Y_PLUS, 200, 160}};
    for (const auto& n : nudges) {
        click(n.button);
        EXPECT_TRUE(markerAt(n.x, n.y)) << n.button;
        EXPECT_TRUE(boxesShow(n.x, n.y)) << n.button;
    }
    SetForegroundWindow(editor->hwnd());
    SetFocus(control(IDC_EDITOR_X));  // the press on the marker takes the focus from the box
    SetWindowPos(marker.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Win32Input input;  // press on the marker, move by (+10, -5), release
    input.setCursorPos(206, 166);
    pumpFor(50);
    input.mouseButton(kLeftDown);
    pumpFor(50);
    input.setCursorPos(216, 161);
    pumpFor(50);
    input.mouseButton(kLeftUp);
    EXPECT_TRUE(boxesShow(210, 155)) << marker.current().x << "," << marker.current().y;
    click(IDOK);
    EXPECT_EQ(recordAt(), (Point{210, 155}));
    pumpFor(GetDoubleClickTime() + 50);
}

// F9 on the real keyboard while a box has the focus, and sent to the dialog itself.
TEST_F(ActionEditorDialogTest, F9TakesThePointer) {
    open(recordOf(ActionType::WaitOnly));
    SetForegroundWindow(editor->hwnd());
    SetFocus(control(IDC_EDITOR_COMMENT));
    pumpFor(50);
    system.pointer = {412, 213};
    Win32Input input;
    input.key(VK_F9, 0);
    input.key(VK_F9, KEYEVENTF_KEYUP);
    EXPECT_TRUE(boxesShow(412, 213));
    system.pointer = {5, 6};
    SendMessageW(editor->hwnd(), WM_KEYDOWN, VK_F9, 0);
    EXPECT_EQ(recordAt(), (Point{5, 6}));
    EXPECT_TRUE(boxesShow(5, 6));
}

// "取得", "指定" and the swatch that shows the condition colour inside its frame.
TEST_F(ActionEditorDialogTest, ConditionColourAndSwatch) {
    ActionRecord original = recordOf(ActionType::Condition);
    original.conditionColor = 0x00204080;
    open(original);
    SetWindowPos(editor->hwnd(), HWND_TOPMOST, 400, 300, 0, 0, SWP_NOSIZE);
    auto pixel = [&](int x, int y) {
        HDC dc = GetDC(control(IDC_EDITOR_SWATCH));
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(control(IDC_EDITOR_SWATCH), dc);
        return colour;
    };
    EXPECT_TRUE(pumpUntil([&] { return pixel(5, 5) == 0x00204080; }, 2000)) << std::hex << pixel(5, 5);
    type(IDC_EDITOR_X, L"130");
    const struct {
        int button;
        std::optional<uint32_t> answer;  // of the screen or the chooser; none: nothing to read, cancelled
        uint32_t after;
    } steps[] = {{IDC_EDITOR_TAKE_COLOUR, std::nullopt, 0x204080}, {IDC_EDITOR_TAKE_COLOUR, 0xA0B0C0, 0xA0B0C0},
                 {IDC_EDITOR_CHOOSE_COLOUR, std::nullopt, 0xA0B0C0}, {IDC_EDITOR_CHOOSE_COLOUR, 0xFF8000, 0xFF8000}};
    for (const auto& step : steps) {
        system.pixel = system.colour = step.answer;
        click(step.button);
        EXPECT_EQ(editor->record().conditionColor, step.after) << step.button;
    }
    EXPECT_EQ(system.pixelAsked, (Point{130, 90}));  // the marker's tip
    EXPECT_EQ(system.colourAsked, 0x00A0B0C0u);
    EXPECT_EQ(pixel(3, 3), 0x00FF8000u);
    EXPECT_NE(pixel(0, 0), 0x00FF8000u);  // the frame stays
    selectType(ActionType::WaitOnly);
    EXPECT_EQ(pixel(5, 5), GetSysColor(COLOR_BTNFACE));
}

// "参照" and a dropped file fill "ファイル名"; the drop switches the type to ExecuteFile.
TEST_F(ActionEditorDialogTest, BrowsedAndDroppedFiles) {
    open(recordOf(ActionType::LeftClick, 50, 60));
    SetFocus(control(IDC_EDITOR_X));  // disabling the focused box must not bring the marker back
    ASSERT_EQ(GetFocus(), control(IDC_EDITOR_X));
    auto drop = [&](const std::wstring& path) {  // one path, packed as the shell packs it
        const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::memcpy(files + 1, path.c_str(), path.size() * sizeof(wchar_t));
        GlobalUnlock(memory);
        SendMessageW(editor->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    };
    drop(L"C:\\docs\\報告.txt");
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), L"C:\\docs\\報告.txt");
    EXPECT_EQ(editor->record().actionType, ActionType::ExecuteFile);
    EXPECT_EQ(SendMessageW(control(IDC_EDITOR_TYPE), CB_GETCURSEL, 0, 0), code(ActionType::ExecuteFile));
    EXPECT_FALSE(enabled(IDC_EDITOR_X));
    EXPECT_FALSE(markerShown());
    for (int id : {IDC_EDITOR_FILE_PATH, IDC_EDITOR_MAXIMIZED, IDC_EDITOR_BROWSE}) EXPECT_TRUE(enabled(id)) << id;
    click(IDC_EDITOR_BROWSE);  // cancelled
    EXPECT_EQ(system.fileAsked, ChooseMode::AnyFile);
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), L"C:\\docs\\報告.txt");
    system.file = "C:\\tools\\run.bat";
    click(IDC_EDITOR_BROWSE);
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), L"C:\\tools\\run.bat");
    EXPECT_TRUE(IsWindowEnabled(editor->hwnd()));
    selectType(ActionType::KeyboardInput);
    const std::wstring longPath = L"C:\\" + std::wstring(400, L'a');
    drop(longPath);  // longer than the 256-byte buffer: cut to 255 bytes
    EXPECT_TRUE(enabled(IDC_EDITOR_INPUT_TEXT));  // the other type controls keep their state
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), longPath.substr(0, 255));
    click(IDOK);
    EXPECT_EQ(editor->record().filePath.size(), 255u);
}

// A changed text the code page cannot hold is refused by its field's label and the editor
// stays open; so is a browsed name that the code page cannot hold.
TEST_F(ActionEditorDialogTest, TextsTheCodePageCannotHoldAreRefused) {
    TestPrompter prompter;
    services.prompter = &prompter;
    const struct {
        int id;
        const char* message;
    } fields[] = {{IDC_EDITOR_INPUT_TEXT, "「入力文字」に使えない文字が含まれています。"},
                  {IDC_EDITOR_FILE_PATH, "「ファイル名」に使えない文字が含まれています。"},
                  {IDC_EDITOR_COMMENT, "「コメント」に使えない文字が含まれています。"}};
    for (const auto& field : fields) {
        prompter.messages.clear();
        open(recordOf(ActionType::KeyboardInput));
        type(field.id, L"caf\u00e9");  // best fit would save "cafe"
        click(IDOK);
        EXPECT_NE(editor->result(), IDOK) << field.id;
        EXPECT_EQ(prompter.messages, std::vector<std::string>{field.message});
        type(field.id, L"\u6642\u8a08");  // 時計: the code page holds it
        click(IDOK);
        EXPECT_EQ(editor->result(), IDOK) << field.id;
    }
    prompter.messages.clear();
    open(recordOf(ActionType::ExecuteFile));
    system.file = "C:\\caf?.bat";
    system.fileFits = false;
    click(IDC_EDITOR_BROWSE);
    EXPECT_EQ(textOf(IDC_EDITOR_FILE_PATH), L"");
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"このファイル名には使えない文字が含まれています。"});
}

// Modal, through the seam the main window uses: every field round-trips on OK (texts the
// code page cannot show included), Cancel gives nothing back.
TEST_F(ActionEditorDialogTest, ModalEditorThroughTheSeam) {
    TestPlatform platform;
    Win32ActionDialogs dialogs(GetModuleHandleW(nullptr), marker, platform.platform, system);
    ActionRecord original = recordOf(ActionType::Condition, 11, 22);
    original.inputText = "\x82\xa0\xff";
    original.comment = "before";
    original.offsetRef = -3;  // shown as 0
    original.falseJump = -1;
    original.trueJump = 4;
    original.repeatCount = 3;
    original.searchRangeX = 9;
    original.invertCondition = 1;
    original.conditionColor = 0x00ABCDEF;
    for (const bool accept : {true, false}) {
        std::thread user = userOn(L"設定", [accept](HWND dialog) {
            setText(dialog, IDC_EDITOR_COMMENT, L"edited");
            press(dialog, accept ? IDOK : IDCANCEL);
        });
        const std::optional<ActionRecord> edited = dialogs.editAction(original, 3);
        user.join();
        EXPECT_EQ(marker.mode(), PositionMarker::Mode::Locked);
        ActionRecord expected = original;
        expected.comment = "edited";
        EXPECT_EQ(edited, accept ? std::optional(expected) : std::nullopt);
    }
}

// The system colour chooser opens on the condition colour and reports it back on OK.
TEST(Win32ColourChooserTest, ReportsTheChosenColour) {
    Win32ColourChooser chooser;
    std::thread user = userOn(nullptr, [](HWND dialog) { press(dialog, IDOK); });
    const std::optional<uint32_t> colour = chooser.chooseColour(nullptr, 0x00336699);
    user.join();
    EXPECT_EQ(colour, std::optional<uint32_t>(0x00336699));
}

}  // namespace
}  // namespace tappling
