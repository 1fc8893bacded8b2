#include "ui/main/FileCommands.h"

#include <array>

#include "resources/resource.h"
#include "ui/logic/HelpLinks.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/MainDialog.h"

namespace tappling {

FileCommands::FileCommands(MainDialog& window, FileAccess& files, FileDialogs& dialogs, Prompter& prompter,
                           DocumentOpener* opener)
    : window_(window),
      files_(files),
      dialogs_(dialogs),
      prompter_(prompter),
      opener_(opener != nullptr ? *opener : shellOpener_) {}

bool FileCommands::onCommand(int id) {
    switch (id) {
        case ID_FILE_NEW: newMacro(); return true;  // the menu ignores the answer
        case ID_FILE_SAVE: saveMacro(); return true;
        case ID_FILE_SAVE_AS: saveMacroAs(); return true;
        case ID_FILE_OPEN: openMacro(); return true;
        case ID_FILE_IMPORT: importMacro(); return true;
        case ID_HELP_HELP: openHelp(); return true;
        case ID_HELP_VERSION: showAbout(); return true;
        default: return false;
    }
}

MacroDocument FileCommands::document() {
    MacroPlayer& player = window_.player();
    return {player.macro, player.modified, player.resumable, window_.currentFilePath};
}

FileCommandServices FileCommands::services() { return {files_, dialogs_, prompter_, codePage_}; }

SaveOutcome FileCommands::saveMacro() {
    MacroPlayer& player = window_.player();
    SaveServices save{files_, dialogs_, prompter_};
    return overwriteSave(player.macro, player.modified, window_.currentFilePath, *this, save);
}

int32_t FileCommands::newMacro() {
    FileCommandServices s = services();
    return tappling::newMacro(document(), *this, s);
}

void FileCommands::saveMacroAs() {
    FileCommandServices s = services();
    tappling::saveMacroAs(document(), *this, s);
}

void FileCommands::openMacro() {
    FileCommandServices s = services();
    openMacroFile(document(), *this, s, ReadMode::Open);
}

void FileCommands::importMacro() {
    FileCommandServices s = services();
    openMacroFile(document(), *this, s, ReadMode::Import);
}

void FileCommands::onDropFiles(HDROP drop) {
    std::array<char, 256> first{};  // 255 bytes and the terminator
    const UINT length = DragQueryFileA(drop, 0, first.data(), static_cast<UINT>(first.size()));
    DragFinish(drop);
    if (length == 0) return;
    FileCommandServices s = services();
    dropMacroFile(document(), *this, s, std::string(first.data()));
}

void FileCommands::openHelp() {
    std::array<char, MAX_PATH> program{};
    const DWORD length = GetModuleFileNameA(nullptr, program.data(), static_cast<DWORD>(program.size()));
    opener_.open(ansiToWide(helpFilePath(std::string_view(program.data(), length), codePage_)));
}

void FileCommands::showAbout() {
    AboutDialog about(window_.instance(), opener_);
    about.runModal(window_.hwnd());
}

void FileCommands::readLoopControls() { window_.readLoopControls(); }
void FileCommands::updateTitle() { window_.updateTitle(); }
void FileCommands::refreshList() { window_.refreshList(); }
void FileCommands::hideMarker() { window_.marker().hide(); }

}  // namespace tappling
