// The run commands of the main window, its loop controls and the step timer.
#pragma once

#include <cstdint>
#include <string>

#include "commands/FileCommands.h"
#include "commands/MainView.h"
#include "engine/PlaybackSettings.h"

namespace tappling {

class RunCommands {
public:
    // saving answers Yes to the save question before a run.
    RunCommands(CommandContext context, FileCommands& saving) : context_(context), saving_(saving) {}

    // Set by start-up: 1 when the program runs a macro unattended and closes at its end.
    int32_t autoRunMode = 0;

    // Where the speed and "手動操作で停止" are remembered; null: for this run of the program only.
    SettingsStore* settings = nullptr;
    // Start-up: the remembered choices into the player (auto-runs use them too).
    void loadChoices();
    void chooseSpeed(PlaybackSpeed speed);
    void toggleStopOnManualInput();
    // "選択行から実行": the first pass from the first selected row.
    void runFromSelectedRow();

    // "実行" and the start of an auto-run: from the top.
    void run() { startRun(0); }
    // "ランダム実行".
    void runRandom();
    // The "再開" button: continues a stopped run, or starts from the top when none can.
    void resumeButton() { startRun(context_.player.resumable()); }
    // The menu's "再開" and "ランダム再開": say so when no run can continue.
    void resume() { resumeMenu(false); }
    void resumeRandom() { resumeMenu(true); }

    // The "ループ" and "MAX" boxes were clicked. (Enabling what depends on them is the
    // window's business.)
    void loopBoxClicked();
    // The loop count box changed to count.
    void loopCountTyped(int32_t count);

    // The step timer.
    void onStepTimer();
    // Any size notification of the main window: a running run is asked to stop.
    void onResized();

private:
    void startRun(int32_t resume, int32_t firstRow = 0);
    void rememberChoices();
    void resumeMenu(bool random);
    void finishRun(StepResult result);

    CommandContext context_;
    FileCommands& saving_;
};

// The close and cancel rule of the main window: the window may end unless both ESC and
// F2 report a press (queried in that order; F2 only when ESC reported one).
bool closeAllowed(KeyState& keys);

// The message shown at the end of a run; empty when none is shown.
std::string runEndMessage(StepResult result, int32_t loopEnabled, uint32_t loopsDone);

}  // namespace tappling
