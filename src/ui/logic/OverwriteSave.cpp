#include "ui/logic/OverwriteSave.h"

#include "model/MacroFile.h"

namespace tappling {

SaveOutcome overwriteSave(const Macro& macro, int32_t& modified, std::string& currentFilePath, SaveHost& host,
                          SaveServices& services) {
    if (macro.actions.empty()) return SaveOutcome::NothingToSave;
    host.readLoopControls();
    // A name chosen now becomes the file's name only once the macro is written there.
    std::string path = currentFilePath;
    if (path.empty() && chooseMacroFile(services.dialogs, services.prompter, ChooseMode::Save, path) == 0) {
        return SaveOutcome::Cancelled;
    }
    const WriteOutcome written = writeMacroFile(macro, path, services.files);
    if (!written.ok) {
        services.prompter.inform(written.errorText);
        return SaveOutcome::Failed;
    }
    currentFilePath = path;
    modified = 0;
    host.updateTitle();
    return SaveOutcome::Saved;
}

}  // namespace tappling
