// The detail settings against their template: absolute jump numbers, the Skip case, OK
// and Cancel on the editor's record copy.
#include "ui/dialogs/DetailSettingsDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/DialogTestSupport.h"
#include "engine/TestWindow.h"
#include "resource.h"

namespace tappling {
namespace {

using test::ControlRow;

const ControlRow kDetailControls[] = {
    {-1, L"Static", L"検索範囲", 1, 2, 39, 8, SS_LEFT},
    {-1, L"Static", L"ｘ ±", 8, 16, 13, 9, SS_LEFT},
    {IDC_DETAIL_RANGE_X, L"Edit", L"3", 23, 14, 19, 12, ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"ｙ ±", 50, 15, 15, 9, SS_LEFT},
    {IDC_DETAIL_RANGE_Y, L"Edit", L"-2", 65, 14, 19, 12, ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"条件判定後移動先No指定", 1, 34, 78, 9, SS_LEFT},
    {-1, L"Static", L"真 No.", 2, 49, 19, 8, SS_LEFT},
    {IDC_DETAIL_TRUE_JUMP, L"Edit", L"5", 23, 46, 19, 13, ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"偽 No.", 45, 49, 19, 8, SS_LEFT},
    {IDC_DETAIL_FALSE_JUMP, L"Edit", L"4", 65, 45, 19, 13, ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"", 1, 61, 92, 1, SS_ETCHEDHORZ},
    {IDOK, L"Button", L"OK", 37, 65, 27, 14, BS_DEFPUSHBUTTON},
    {IDCANCEL, L"Button", L"ｷｬﾝｾﾙ", 66, 65, 27, 14, BS_PUSHBUTTON},
};

class DetailSettingsDialogTest : public ::testing::Test {
protected:
    HWND open(ActionType type, int32_t rowNumber = 4) {
        record.actionType = type;
        dialog = std::make_unique<DetailSettingsDialog>(GetModuleHandleW(nullptr), record, rowNumber);
        HWND hwnd = dialog->createModeless();
        EXPECT_NE(hwnd, nullptr);
        return hwnd;
    }
    void type(int id, const wchar_t* text) { SetDlgItemTextW(dialog->hwnd(), id, text); }
    bool enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog->hwnd(), id)) != FALSE; }
    void click(int id) { SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    ActionRecord record = [] {
        ActionRecord r;
        r.searchRangeX = 3;
        r.searchRangeY = -2;
        r.trueJump = 1;
        r.falseJump = 0;
        return r;
    }();
    std::unique_ptr<DetailSettingsDialog> dialog;
};

TEST_F(DetailSettingsDialogTest, ControlsFollowTheTemplate) {
    HWND hwnd = open(ActionType::Condition);
    test::expectDialogFrame(hwnd, L"詳細設定");
    test::expectControls(hwnd, kDetailControls);
    for (int id : {IDC_DETAIL_RANGE_X, IDC_DETAIL_RANGE_Y, IDC_DETAIL_TRUE_JUMP, IDC_DETAIL_FALSE_JUMP})
        EXPECT_TRUE(enabled(id)) << id;
}

// OK stores the jumps relative to the row; Cancel stores nothing.
TEST_F(DetailSettingsDialogTest, OkStoresRelativeJumpsAndCancelNothing) {
    for (const int button : {IDCANCEL, IDOK}) {
        open(ActionType::Condition);
        type(IDC_DETAIL_TRUE_JUMP, L"10");
        type(IDC_DETAIL_FALSE_JUMP, L"2");
        type(IDC_DETAIL_RANGE_X, L"x");
        type(IDC_DETAIL_RANGE_Y, L"-40");
        const ActionRecord before = record;
        click(button);
        EXPECT_EQ(dialog->result(), button);
        if (button == IDCANCEL) {
            EXPECT_EQ(record, before);
        }
    }
    EXPECT_EQ(record.trueJump, 6);
    EXPECT_EQ(record.falseJump, -2);
    EXPECT_EQ(record.searchRangeX, 0);
    EXPECT_EQ(record.searchRangeY, -40);
}

TEST_F(DetailSettingsDialogTest, SkipChangesOnlyTheTrueJump) {
    open(ActionType::Skip);
    EXPECT_TRUE(enabled(IDC_DETAIL_TRUE_JUMP));
    for (int id : {IDC_DETAIL_RANGE_X, IDC_DETAIL_RANGE_Y, IDC_DETAIL_FALSE_JUMP}) EXPECT_FALSE(enabled(id)) << id;
    type(IDC_DETAIL_TRUE_JUMP, L"");
    click(IDOK);
    EXPECT_EQ(record.trueJump, -4);  // an empty box reads 0
    EXPECT_EQ(record.falseJump, 0);
    EXPECT_EQ(record.searchRangeX, 3);
    EXPECT_EQ(record.searchRangeY, -2);
}

}  // namespace
}  // namespace tappling
