// The bulk text edit against its template. The number list and the done message are
// proven natively; here OK changes the listed keyboard-input actions in place and reports
// them, Cancel changes nothing.
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

using namespace test;

const ControlRow kBulkControls[] = {
    {-1, Label, L"No", 7, 9, 28, 11},        {IDC_BULK_NUMBERS, Edit, L"1,3", 39, 7, 118, 14},
    {-1, Label, L"入力文字", 7, 27, 29, 11}, {IDC_BULK_TEXT, Edit, L"こんにちは", 39, 25, 118, 13},
    {-1, Line, L"", 7, 42, 152, 2},          {IDOK, DefaultPush, L"OK", 58, 47, 50, 14},
    {IDCANCEL, Push, L"ｷｬﾝｾﾙ", 109, 47, 50, 14},
};

const std::string kHello = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd";  // "こんにちは" in code page 932

class BulkTextEditDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
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

    ActionList actions;
    Win32CodePage codePage;
    TestPrompter prompter;
    std::unique_ptr<BulkTextEditDialog> dialog;
};

// The template; then OK reads both boxes, an untouched text keeping its bytes. Action 2
// is no keyboard input.
TEST_F(BulkTextEditDialogTest, TemplateAndOk) {
    HWND hwnd = open("1,3");
    ASSERT_NE(hwnd, nullptr);
    expectDialogFrame(hwnd, L"一括入力文字編集");
    expectControls(hwnd, kBulkControls);
    const struct {
        const wchar_t *numbers, *text;  // text null: left as opened
        const char *changed, *message;
    } cases[] = {{L"1,2,3", L"新しい", "101", "編集終了  ( 1,3 )"},
                 {L"2", L"新しい", "000", "編集不可"},
                 {L"1", nullptr, "100", "編集終了  ( 1 )"}};
    for (const auto& c : cases) {
        for (int32_t i = 0; i < actions.size(); ++i) actions.at(i).inputText = "old";
        prompter.messages.clear();
        open("");
        setText(dialog->hwnd(), IDC_BULK_NUMBERS, c.numbers);
        if (c.text != nullptr) setText(dialog->hwnd(), IDC_BULK_TEXT, c.text);
        click(dialog->hwnd(), IDOK);
        EXPECT_EQ(dialog->result(), IDOK);
        const std::string changedText = c.text != nullptr ? "\x90\x56\x82\xb5\x82\xa2" : kHello;
        for (int32_t i = 0; i < actions.size(); ++i)
            EXPECT_EQ(actions.at(i).inputText, c.changed[i] == '1' ? changedText : "old") << c.changed << i;
        EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(dialog->changed(), std::string_view(c.changed) != "000");
    }
}

TEST_F(BulkTextEditDialogTest, TextTheCodePageCannotHoldIsRefusedAndTheDialogStays) {
    open("1,3");
    setText(dialog->hwnd(), IDC_BULK_TEXT, L"caf\u00e9");
    click(dialog->hwnd(), IDOK);
    EXPECT_NE(dialog->result(), IDOK);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"「入力文字」に使えない文字が含まれています。"});
    for (int32_t i = 0; i < actions.size(); ++i) EXPECT_EQ(actions.at(i).inputText, "old");
    EXPECT_FALSE(dialog->changed());
}

// Modal through the seam the main window uses; true only when an action changed. The
// user types a new text in both runs; Cancel stores nothing and reports nothing.
TEST_F(BulkTextEditDialogTest, ModalThroughTheSeam) {
    PositionMarker marker(GetModuleHandleW(nullptr));
    TestPlatform platform;
    TestFileDialogs files;
    Win32ActionDialogs dialogs(GetModuleHandleW(nullptr), marker, platform.platform, files);
    dialogs.setPrompter(prompter);
    for (const bool accept : {false, true}) {
        std::thread user = userOn(L"一括入力文字編集", [accept](HWND dialog) {
            setText(dialog, IDC_BULK_TEXT, L"typed");
            press(dialog, accept ? IDOK : IDCANCEL);
        });
        const bool changed = dialogs.bulkTextEdit("3", "opened", actions);
        user.join();
        EXPECT_EQ(changed, accept);
        EXPECT_EQ(actions.at(2).inputText, accept ? "typed" : "old");
        EXPECT_EQ(actions.at(0).inputText, "old");
    }
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"編集終了  ( 3 )"});
}

}  // namespace
}  // namespace tappling
