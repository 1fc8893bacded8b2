// The overwrite save ("上書き保存"), as portable logic: the window supplies its loop
// controls and caption through SaveHost, the system its file access, file dialog and
// message boxes.
#pragma once

#include <cstdint>
#include <string>

#include "model/ActionList.h"
#include "model/FileAccess.h"
#include "model/MacroFileChooser.h"
#include "model/Prompter.h"

namespace tappling {

class SaveHost {
public:
    virtual ~SaveHost() = default;
    virtual void readLoopControls() = 0;  // the loop boxes into the macro's loop values
    virtual void updateTitle() = 0;
};

struct SaveServices {
    FileAccess& files;
    FileDialogs& dialogs;
    Prompter& prompter;
};

enum class SaveOutcome { NothingToSave, Cancelled, Failed, Saved };

// An empty list saves nothing. Without a path the save chooser asks for one (cancel:
// nothing more, not even the caption). A failed write shows its error and keeps
// `modified`, so the changes are still protected by the save question.
SaveOutcome overwriteSave(const Macro& macro, int32_t& modified, std::string& currentFilePath, SaveHost& host,
                          SaveServices& services);

}  // namespace tappling
