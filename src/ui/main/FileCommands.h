// The file commands of the main window. So far the overwrite save; the others arrive
// with their own handlers here.
#pragma once

#include <cstdint>

#include "ui/logic/OverwriteSave.h"

namespace tappling {

class MainDialog;

class FileCommands final : private SaveHost {
public:
    FileCommands(MainDialog& window, FileAccess& files, FileDialogs& dialogs, Prompter& prompter);

    // File menu commands; false for other ids.
    bool onCommand(int id);
    // "上書き保存"; also the Yes answer of the save question before a run or a close.
    void saveMacro();
    // "新規作成": 1 to go on, 0 when the user cancelled (the recorder stops then).
    int32_t newMacro();

private:
    void readLoopControls() override;
    void updateTitle() override;

    MainDialog& window_;
    SaveServices services_;
};

}  // namespace tappling
