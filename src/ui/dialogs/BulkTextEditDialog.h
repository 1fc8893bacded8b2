// "一括入力文字編集": one new input text for the listed keyboard-input actions. OK changes
// the list in place and says which numbers were changed; Cancel changes nothing.
#pragma once

#include <memory>
#include <string>

#include "model/ActionList.h"
#include "model/CodePage.h"
#include "model/Prompter.h"
#include "ui/Dialog.h"

namespace tappling {

class BulkTextEditDialog final : public Dialog {
public:
    // numberList ("2,3,5") and newText are ANSI bytes. The list outlives the dialog; the
    // closing message goes to prompter, or to a message box over the dialog when null.
    BulkTextEditDialog(HINSTANCE instance, std::string numberList, std::string newText, ActionList& actions,
                       const CodePage& codePage, Prompter* prompter = nullptr);

    // True once OK gave the text to at least one action.
    bool changed() const { return changed_; }

protected:
    bool onInit() override;
    void onOk() override;

private:
    void inform(std::string_view text);

    std::string numberList_;
    std::string newText_;
    ActionList& actions_;
    const CodePage& codePage_;
    Prompter* prompter_;
    bool changed_ = false;
};

}  // namespace tappling
