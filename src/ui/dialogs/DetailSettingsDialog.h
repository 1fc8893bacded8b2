// "詳細設定": the search range and the jump targets of a condition or skip. Works on the
// editor's record copy: OK writes the four values straight into it, Cancel writes nothing.
#pragma once

#include <cstdint>

#include "model/ActionRecord.h"
#include "ui/Dialog.h"

namespace tappling {

class DetailSettingsDialog final : public Dialog {
public:
    // record and rowNumber (1-based) belong to the editor and outlive the dialog.
    DetailSettingsDialog(HINSTANCE instance, ActionRecord& record, int32_t rowNumber);

protected:
    bool onInit() override;
    void onOk() override;

private:
    ActionRecord& record_;
    int32_t rowNumber_;
};

}  // namespace tappling
