#include "ui/dialogs/Win32ActionDialogs.h"

#include "ui/dialogs/ActionEditorDialog.h"
#include "ui/dialogs/BulkTextEditDialog.h"

namespace tappling {

std::optional<ActionRecord> Win32ActionDialogs::editAction(const ActionRecord& copy, int32_t rowNumber) {
    const ActionEditorServices services{marker_, platform_.screen, platform_.input, *colours_, files_, codePage_};
    ActionEditorDialog editor(instance_, services, copy, rowNumber);
    return editor.run(owner_);
}

bool Win32ActionDialogs::bulkTextEdit(const std::string& numberList, const std::string& newText,
                                      ActionList& actions) {
    BulkTextEditDialog dialog(instance_, numberList, newText, actions, codePage_, prompter_);
    dialog.runModal(owner_);
    return dialog.changed();
}

}  // namespace tappling
