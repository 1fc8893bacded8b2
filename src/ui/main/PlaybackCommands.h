// The run, resume and loop-box commands of the main window and its step timer, handed
// to the portable RunCommands; this unit is the window's side of RunHost.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "engine/RunCommands.h"
#include "ui/logic/FileCommandLogic.h"  // kSaveQuestion
#include "ui/logic/AutoRunStart.h"

namespace tappling {

class MainDialog;

class PlaybackCommands final : public RunHost {
public:
    PlaybackCommands(MainDialog& window, MacroPlayer& player);

    // Run and resume commands and the two loop boxes; false for other ids.
    bool onCommand(int id);
    void onStepTimer() { run_.onStepTimer(); }
    void onResized() { run_.onResized(); }
    void setAutoRunMode(int32_t autoRunMode) { run_.autoRunMode = autoRunMode; }
    void startRun(int32_t resume) { run_.startRun(resume); }
    // Auto-run: called at initialisation; the run starts on kAutoRunTimer, which is set
    // once the dialog loop has shown the window (onAutoRunMessage).
    void armAutoRun();
    // WM_WINDOWPOSCHANGING and kAutoRunLoopMessage on their way to an auto-run; nullopt
    // for the dialog's default handling.
    std::optional<INT_PTR> onAutoRunMessage(UINT message, LPARAM lParam);

    void hideMarker() override;
    void readLoopControls() override;
    Answer askSave() override;
    void saveMacro() override;
    void showMinimized() override;
    void showNormal() override;
    void startStepTimer() override;
    void killStepTimer() override;
    void updateTitle() override;
    void updateTitleProgress(int32_t passes) override;
    void inform(std::string_view utf8) override;
    void closeAsOk() override;

private:
    MainDialog& window_;
    RunCommands run_;
    AutoRunStart autoRunStart_;
};

}  // namespace tappling
