// The run commands of the main window and its playback timer handler, as portable
// logic: the window implements RunHost and forwards the commands, timer 3 and its
// size notifications here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/MacroPlayer.h"
#include "model/Prompter.h"

namespace tappling {

// What the run needs from the main window.
class RunHost {
public:
    virtual ~RunHost() = default;
    virtual void hideMarker() = 0;
    virtual void readLoopControls() = 0;          // the loop boxes into the macro's loop values
    virtual Answer askSave() = 0;                 // "編集中のデータを保存しますか？" Yes/No/Cancel
    virtual void saveMacro() = 0;                 // overwrite save
    virtual void showMinimized() = 0;             // SW_SHOWMINIMIZED
    virtual void showNormal() = 0;                // SW_SHOWNORMAL
    virtual void startStepTimer() = 0;            // timer 3, 1 ms
    virtual void killStepTimer() = 0;
    virtual void updateTitle() = 0;
    virtual void updateTitleProgress(int32_t passes) = 0;
    virtual void inform(std::string_view utf8) = 0;  // message box, OK only
    virtual void closeAsOk() = 0;                 // ends the window as its OK command does
};

class RunCommands {
public:
    RunCommands(MacroPlayer& player, RunHost& host, int32_t autoRunMode = 0);

    // Set by start-up: 1 when the program runs a macro unattended and closes at its end.
    int32_t autoRunMode;

    // Starts from the top (resume 0) or continues a stopped run (resume 1).
    void startRun(int32_t resume);

    // The run and resume commands (1004, 32789, 32800, 1007, 32806, 32807); false for
    // any other id, which the caller handles itself.
    bool onCommand(int32_t commandId);

    // The "ループ" and "MAX" boxes were clicked: the macro changed, a stopped run can no
    // longer be resumed. (Enabling the dependent controls is the window's business.)
    void onLoopControlsClicked();

    // WM_TIMER id 3.
    void onStepTimer();

    // Any size notification of the main window: a running run is asked to stop.
    void onResized();

private:
    void finishRun(StepResult result);

    MacroPlayer& player_;
    RunHost& host_;
};

// The close and cancel rule of the main window: the window may end unless both ESC and
// F2 report a press (queried in that order; F2 only when ESC reported one).
bool closeAllowed(KeyState& keys);

// The message shown at the end of a run; empty when none is shown.
std::string runEndMessage(StepResult result, int32_t loopEnabled, uint32_t loopsDone);

}  // namespace tappling
