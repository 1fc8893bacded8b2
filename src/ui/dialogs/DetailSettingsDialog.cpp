#include "ui/dialogs/DetailSettingsDialog.h"

#include <string>

#include "resource.h"
#include "ui/logic/ActionEditorLogic.h"
#include "win32/Win32Text.h"

namespace tappling {

DetailSettingsDialog::DetailSettingsDialog(HINSTANCE instance, ActionRecord& record, int32_t rowNumber)
    : Dialog(instance, IDD_DETAIL_SETTINGS), record_(record), rowNumber_(rowNumber) {}

bool DetailSettingsDialog::onInit() {
    setText(IDC_DETAIL_RANGE_X, std::to_wstring(record_.searchRangeX));
    setText(IDC_DETAIL_RANGE_Y, std::to_wstring(record_.searchRangeY));
    setTextUtf8(IDC_DETAIL_TRUE_JUMP, shownActionNumberText(record_.trueJump, rowNumber_));
    setTextUtf8(IDC_DETAIL_FALSE_JUMP, shownActionNumberText(record_.falseJump, rowNumber_));
    const bool rangeAndFalseJump = detailRangeAndFalseJumpEnabled(record_.actionType);
    enable(IDC_DETAIL_RANGE_X, rangeAndFalseJump);
    enable(IDC_DETAIL_RANGE_Y, rangeAndFalseJump);
    enable(IDC_DETAIL_FALSE_JUMP, rangeAndFalseJump);
    return true;
}

// Disabled boxes are read too: they still show the stored values.
void DetailSettingsDialog::onOk() {
    record_.searchRangeX = textAsInt(IDC_DETAIL_RANGE_X);
    record_.searchRangeY = textAsInt(IDC_DETAIL_RANGE_Y);
    record_.trueJump = relativeFromShownText(wideToAnsi(text(IDC_DETAIL_TRUE_JUMP)), rowNumber_);
    record_.falseJump = relativeFromShownText(wideToAnsi(text(IDC_DETAIL_FALSE_JUMP)), rowNumber_);
    end(IDOK);
}

}  // namespace tappling
