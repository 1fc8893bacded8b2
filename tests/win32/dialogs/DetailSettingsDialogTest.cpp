// The detail settings against their template: absolute jump numbers, the Skip case, OK
// and Cancel on the editor's record copy.
#include "ui/dialogs/DetailSettingsDialog.h"

#include <gtest/gtest.h>

#include "dialogs/DialogTestSupport.h"
#include "engine/TestWindow.h"
#include "resource.h"

namespace tappling {
namespace {

using namespace test;

// Opened on row 4 with the range (3, -2) and the jumps +1 and 0.
const ControlRow kDetailControls[] = {
    {-1, Label, L"検索範囲", 1, 2, 39, 8},
    {-1, Label, L"ｘ ±", 8, 16, 13, 9},      {IDC_DETAIL_RANGE_X, Edit, L"3", 23, 14, 19, 12},
    {-1, Label, L"ｙ ±", 50, 15, 15, 9},     {IDC_DETAIL_RANGE_Y, Edit, L"-2", 65, 14, 19, 12},
    {-1, Label, L"条件判定後移動先No指定", 1, 34, 78, 9},
    {-1, Label, L"真 No.", 2, 49, 19, 8},    {IDC_DETAIL_TRUE_JUMP, Edit, L"5", 23, 46, 19, 13},
    {-1, Label, L"偽 No.", 45, 49, 19, 8},   {IDC_DETAIL_FALSE_JUMP, Edit, L"4", 65, 45, 19, 13},
    {-1, Line, L"", 1, 61, 92, 1},           {IDOK, DefaultPush, L"OK", 37, 65, 27, 14},
    {IDCANCEL, Push, L"ｷｬﾝｾﾙ", 66, 65, 27, 14},
};

// Cancel stores nothing; OK stores the jumps relative to the row, the boxes read like atoi.
// A Skip has only "真 No.": the other boxes are disabled and keep their values.
TEST(DetailSettingsDialogTest, TemplateOkCancelAndSkip) {
    const int boxes[] = {IDC_DETAIL_TRUE_JUMP, IDC_DETAIL_FALSE_JUMP, IDC_DETAIL_RANGE_X, IDC_DETAIL_RANGE_Y};
    const struct {
        ActionType type;
        int button;
        const wchar_t* typed[4];  // into the boxes above, if any
        int32_t stored[4];        // trueJump, falseJump, searchRangeX, searchRangeY
    } cases[] = {{ActionType::Condition, IDCANCEL, {L"10", L"2", L"x", L"-40"}, {1, 0, 3, -2}},
                 {ActionType::Condition, IDOK, {L"10", L"2", L"x", L"-40"}, {6, -2, 0, -40}},
                 {ActionType::Skip, IDOK, {L"", nullptr, nullptr, nullptr}, {-4, 0, 3, -2}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(code(c.type) * 10000 + c.button);
        ActionRecord record;
        record.actionType = c.type;
        record.searchRangeX = 3;
        record.searchRangeY = -2;
        ActionRecord expected = record;
        DetailSettingsDialog dialog(GetModuleHandleW(nullptr), record, 4);
        HWND hwnd = dialog.createModeless();
        ASSERT_NE(hwnd, nullptr);
        if (&c == cases) expectDialogFrame(hwnd, L"詳細設定");
        if (&c == cases) expectControls(hwnd, kDetailControls);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(hwnd, boxes[i])) != FALSE, c.type == ActionType::Condition || i == 0);
            if (c.typed[i] != nullptr) setText(hwnd, boxes[i], c.typed[i]);
        }
        click(hwnd, c.button);
        EXPECT_EQ(dialog.result(), c.button);
        expected.trueJump = c.stored[0];
        expected.falseJump = c.stored[1];
        expected.searchRangeX = c.stored[2];
        expected.searchRangeY = c.stored[3];
        EXPECT_EQ(record, expected);
    }
}

}  // namespace
}  // namespace tappling
