#include "ui/dialogs/BulkTextEditDialog.h"

#include "resource.h"
#include "ui/logic/ActionEditorLogic.h"
#include "ui/logic/BulkTextEdit.h"
#include "ui/Win32Prompter.h"
#include "win32/Win32Text.h"

namespace tappling {

BulkTextEditDialog::BulkTextEditDialog(HINSTANCE instance, std::string numberList, std::string newText,
                                       ActionList& actions, const CodePage& codePage, Prompter* prompter)
    : Dialog(instance, IDD_BULK_TEXT_EDIT),
      numberList_(std::move(numberList)),
      newText_(std::move(newText)),
      actions_(actions),
      codePage_(codePage),
      prompter_(prompter) {}

bool BulkTextEditDialog::onInit() {
    setText(IDC_BULK_NUMBERS, ansiToWide(numberList_));
    setText(IDC_BULK_TEXT, ansiToWide(newText_));
    return true;
}

void BulkTextEditDialog::onOk() {
    const std::wstring typedText = text(IDC_BULK_TEXT);
    if (typedText != ansiToWide(newText_) && !fitsAnsiCodePage(typedText)) {
        inform(unusableCharactersMessage("入力文字"));  // the dialog stays open with the text as typed
        SetFocus(item(IDC_BULK_TEXT));
        return;
    }
    // An untouched text keeps its exact bytes, even ones the code page cannot show.
    if (typedText != ansiToWide(newText_)) newText_ = wideToAnsi(typedText);
    numberList_ = wideToAnsi(text(IDC_BULK_NUMBERS));

    const BulkEditOutcome outcome = applyBulkTextEdit(actions_, numberList_, newText_, codePage_);
    changed_ = changed_ || outcome.changes > 0;
    inform(bulkEditMessage(wideToUtf8(ansiToWide(outcome.done))));
    end(IDOK);
}

void BulkTextEditDialog::inform(std::string_view text) {
    if (prompter_ != nullptr) {
        prompter_->inform(text);
    } else {
        Win32Prompter(hwnd()).inform(text);
    }
}

}  // namespace tappling
