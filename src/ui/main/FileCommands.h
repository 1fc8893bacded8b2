// The file commands of the main window ("新規作成", "上書き保存", "保存", "開く",
// "インポート", a dropped file) and the help commands ("ヘルプ", F1, "バージョン").
// The rules live in ui/logic/FileCommandLogic; this unit wires them to the window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "model/win32/Win32CodePage.h"
#include "ui/logic/FileCommandLogic.h"
#include "ui/main/DocumentOpener.h"

namespace tappling {

class MainDialog;

class FileCommands final : private FileCommandHost {
public:
    // opener: null for the shell.
    FileCommands(MainDialog& window, FileAccess& files, FileDialogs& dialogs, Prompter& prompter,
                 DocumentOpener* opener = nullptr);

    // File and help menu commands; false for other ids.
    bool onCommand(int id);
    // "上書き保存"; also the Yes answer of the save question before a run or a close.
    SaveOutcome saveMacro();
    // "新規作成": 1 to go on, 0 when the user cancelled or the asked-for save did not happen.
    int32_t newMacro();
    void saveMacroAs();
    void openMacro();
    void importMacro();
    // Files dropped on the window: the first one is loaded; the drop handle is released.
    void onDropFiles(HDROP drop);
    // Opens main.html beside the program through the shell.
    void openHelp();
    // The version dialog, modal.
    void showAbout();

private:
    void readLoopControls() override;
    void updateTitle() override;
    void refreshList() override;
    void hideMarker() override;
    MacroDocument document();
    FileCommandServices services();

    MainDialog& window_;
    FileAccess& files_;
    FileDialogs& dialogs_;
    Prompter& prompter_;
    ShellDocumentOpener shellOpener_;
    DocumentOpener& opener_;
    Win32CodePage codePage_;
};

}  // namespace tappling
