#include "ui/main/FileCommands.h"

#include "resources/resource.h"
#include "ui/main/MainDialog.h"

namespace tappling {

FileCommands::FileCommands(MainDialog& window, FileAccess& files, FileDialogs& dialogs, Prompter& prompter)
    : window_(window), services_{files, dialogs, prompter} {}

bool FileCommands::onCommand(int id) {
    switch (id) {
        case ID_FILE_SAVE:
            saveMacro();
            return true;
        default:
            return false;
    }
}

void FileCommands::saveMacro() {
    MacroPlayer& player = window_.player();
    overwriteSave(player.macro, player.modified, window_.currentFilePath, *this, services_);
}

int32_t FileCommands::newMacro() { return 1; }  // placeholder until the file commands land

void FileCommands::readLoopControls() { window_.readLoopControls(); }
void FileCommands::updateTitle() { window_.updateTitle(); }

}  // namespace tappling
