#include "ui/logic/OverwriteSave.h"

#include "model/MacroFile.h"

namespace tappling {

SaveOutcome overwriteSave(const Macro& macro, int32_t& modified, std::string& currentFilePath, SaveHost& host,
                          SaveServices& services) {
    if (macro.actions.empty()) return SaveOutcome::NothingToSave;
    host.readLoopControls();
    if (currentFilePath.empty() &&
        chooseMacroFile(services.dialogs, services.prompter, ChooseMode::Save, currentFilePath) == 0) {
        return SaveOutcome::Cancelled;
    }
    const WriteOutcome written = writeMacroFile(macro, currentFilePath, services.files);
    if (!written.ok) {
        services.prompter.inform(written.errorText);
        host.updateTitle();  // the chooser may have named the file
        return SaveOutcome::Failed;
    }
    modified = 0;
    host.updateTitle();
    return SaveOutcome::Saved;
}

}  // namespace tappling
