// The bulk text edit against its template: OK changes the listed keyboard-input actions
// in place and reports them, Cancel changes nothing.
#include "ui/dialogs/BulkTextEditDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/DialogTestSupport.h"
#include "engine/TestWindow.h"
#include "model/win32/Win32CodePage.h"
#include "resource.h"
#include "ui/UiFakes.h"
#include "ui/dialogs/Win32ActionDialogs.h"

namespace tappling {
namespace {

using test::ControlRow;

const ControlRow kBulkControls[] = {
    {-1, L"Static", L"No", 7, 9, 28, 11, SS_LEFT},
    {IDC_BULK_NUMBERS, L"Edit", L"1,3", 39, 7, 118, 14, ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"入力文字", 7, 27, 29, 11, SS_LEFT},
    {IDC_BULK_TEXT, L"Edit", L"こんにちは", 39, 25, 118, 13, ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"", 7, 42, 152, 2, SS_ETCHEDHORZ},
    {IDOK, L"Button", L"OK", 58, 47, 50, 14, BS_DEFPUSHBUTTON},
    {IDCANCEL, L"Button", L"ｷｬﾝｾﾙ", 109, 47, 50, 14, BS_PUSHBUTTON},
};

const std::string kHello = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd";  // "こんにちは" in code page 932

class BulkTextEditDialogTest : public ::testing::Test {
protected:
    BulkTextEditDialogTest() {
        for (ActionType type : {ActionType::KeyboardInput, ActionType::LeftClick, ActionType::KeyboardInput}) {
            ActionRecord record;
            record.actionType = type;
            record.inputText = "old";
            actions.append(record);
        }
    }
    HWND open(const std::string& numbers) {
        dialog = std::make_unique<BulkTextEditDialog>(GetModuleHandleW(nullptr), numbers, kHello, actions, codePage,
                                                      &prompter);
        return dialog->createModeless();
    }
    void type(int id, const wchar_t* text) { SetDlgItemTextW(dialog->hwnd(), id, text); }
    void click(int id) { SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    ActionList actions;
    Win32CodePage codePage;
    TestPrompter prompter;
    std::unique_ptr<BulkTextEditDialog> dialog;
};

TEST_F(BulkTextEditDialogTest, ControlsFollowTheTemplate) {
    HWND hwnd = open("1,3");
    ASSERT_NE(hwnd, nullptr);
    test::expectDialogFrame(hwnd, L"一括入力文字編集");
    test::expectControls(hwnd, kBulkControls);
}

TEST_F(BulkTextEditDialogTest, OkChangesTheListedKeyboardInputs) {
    struct Case {
        const wchar_t* numbers;
        const char* changed;
        const char* message;
    };
    const Case cases[] = {
        {L"1,2,3", "101", "編集終了  ( 1,3 )"},
        {L"2", "000", "編集不可"},
        {L"3,", "001", "編集終了  ( 3, )"},
        {L"abc", "000", "編集不可"},
    };
    for (const Case& c : cases) {
        for (int32_t i = 0; i < actions.size(); ++i) actions.at(i).inputText = "old";
        prompter.messages.clear();
        open("");
        type(IDC_BULK_NUMBERS, c.numbers);
        type(IDC_BULK_TEXT, L"新しい");
        click(IDOK);
        EXPECT_EQ(dialog->result(), IDOK);
        for (int32_t i = 0; i < actions.size(); ++i)
            EXPECT_EQ(actions.at(i).inputText, c.changed[i] == '1' ? "\x90\x56\x82\xb5\x82\xa2" : "old") << i;
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0], c.message);
        EXPECT_EQ(dialog->changed(), std::string_view(c.changed) != "000");
    }
}

TEST_F(BulkTextEditDialogTest, UntouchedTextKeepsItsBytesAndCancelChangesNothing) {
    open("1");
    click(IDOK);
    EXPECT_EQ(actions.at(0).inputText, kHello);
    actions.at(0).inputText = "old";
    prompter.messages.clear();
    open("1,3");
    type(IDC_BULK_TEXT, L"changed");
    click(IDCANCEL);
    EXPECT_EQ(dialog->result(), IDCANCEL);
    for (const ActionRecord& r : actions.records()) EXPECT_EQ(r.inputText, "old");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(dialog->changed());
}

// Modal through the seam the main window uses; true only when an action changed.
TEST_F(BulkTextEditDialogTest, ModalThroughTheSeam) {
    PositionMarker marker(GetModuleHandleW(nullptr));
    TestPlatform platform;
    TestFileDialogs files;
    Win32ActionDialogs dialogs(GetModuleHandleW(nullptr), marker, platform.platform, files);
    dialogs.setPrompter(prompter);
    for (const bool accept : {true, false}) {
        actions.at(2).inputText = "old";
        std::thread user = test::userOn(L"一括入力文字編集", [accept](HWND dialog) {
            test::press(dialog, accept ? IDOK : IDCANCEL);
        });
        const bool changed = dialogs.bulkTextEdit("3", "typed", actions);
        user.join();
        EXPECT_EQ(changed, accept);
        EXPECT_EQ(actions.at(2).inputText, accept ? "typed" : "old");
        EXPECT_EQ(actions.at(0).inputText, "old");
    }
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"編集終了  ( 3 )"});
}

}  // namespace
}  // namespace tappling
