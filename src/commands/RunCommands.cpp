#include "commands/RunCommands.h"

#include "commands/EditCommands.h"  // kSelectRecord
#include "engine/IntegrityGate.h"

namespace tappling {
namespace {

constexpr std::string_view kCannotResume = "「再開」処理は実行できません";

}  // namespace

void RunCommands::loadChoices() {
    if (settings == nullptr) return;
    const PlaybackSettings remembered = loadPlaybackSettings(*settings);
    context_.player.playbackSpeed = remembered.speed;
    context_.player.stopOnManualInput = remembered.stopOnManualInput;
    context_.view.showPlaybackChoices();
}

void RunCommands::rememberChoices() {
    context_.view.showPlaybackChoices();
    // A value that cannot be written leaves the choice for this run of the program only.
    if (settings != nullptr) {
        savePlaybackSettings(*settings, {context_.player.playbackSpeed, context_.player.stopOnManualInput});
    }
}

void RunCommands::chooseSpeed(PlaybackSpeed speed) {
    context_.player.playbackSpeed = speed;
    rememberChoices();
    context_.view.updateTitle();
}

void RunCommands::toggleStopOnManualInput() {
    context_.player.stopOnManualInput = !context_.player.stopOnManualInput;
    rememberChoices();
}

void RunCommands::runFromSelectedRow() {
    const std::vector<int32_t> rows = context_.view.selectedRows();
    if (rows.empty()) {
        context_.prompter.inform(kSelectRecord);
        return;
    }
    startRun(0, rows.front());
}

void RunCommands::startRun(int32_t resume, int32_t firstRow) {
    MacroPlayer& player = context_.player;
    if (player.actions().empty()) return;
    context_.view.hideMarker();
    context_.view.readLoopControls();
    if (player.modified() == 1) {
        const Answer answer = context_.prompter.askYesNoCancel(kSaveQuestion);
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) saving_.save();
    }
    context_.view.show(WindowShow::ShowMinimized);
    player.beginRun(resume, firstRow);
    context_.view.startTimer(CommandTimer::Step);
}

void RunCommands::runRandom() {
    context_.player.randomMode = 1;
    startRun(0);
}

void RunCommands::resumeMenu(bool random) {
    if (context_.player.resumable() == 0) {
        context_.prompter.inform(kCannotResume);
        return;
    }
    if (random) context_.player.randomMode = 1;
    startRun(1);
}

void RunCommands::loopBoxClicked() { context_.player.noteChange(MacroChange::LoopBoxClicked); }

// A typed count is a change like any other: the close must ask before losing it.
void RunCommands::loopCountTyped(int32_t count) {
    if (count != context_.player.macro.loopCount) context_.player.noteChange(MacroChange::LoopCountTyped);
}

void RunCommands::onStepTimer() {
    MacroPlayer& player = context_.player;
    const StepResult result = player.step();
    if (result == StepResult::Continue) return;
    if (result == StepResult::RecordDone) {
        if (autoRunMode != 1) context_.view.updateTitleProgress(static_cast<int32_t>(player.loopsDone));
        return;
    }
    finishRun(result);
}

void RunCommands::finishRun(StepResult result) {
    MacroPlayer& player = context_.player;
    if (autoRunMode != 1) context_.view.updateTitle();
    context_.view.stopTimer(CommandTimer::Step);
    player.runState = RunState::Idle;
    if (autoRunMode == 1) {
        context_.view.closeAsOk();
        return;
    }
    context_.view.show(WindowShow::ShowNormal);
    const std::string message = player.refusedWindowTitle.empty()
                                    ? runEndMessage(result, player.macro.loopEnabled, player.loopsDone)
                                    : refusedInputMessage(player.refusedWindowTitle);
    if (!message.empty()) context_.prompter.inform(message);
}

void RunCommands::onResized() {
    if (context_.player.runState == RunState::Running) context_.player.runState = RunState::StopRequested;
}

bool closeAllowed(KeyState& keys) {
    return !(keys.asyncKeyState(kVkEscape) != 0 && keys.asyncKeyState(kVkF2) != 0);
}

std::string runEndMessage(StepResult result, int32_t loopEnabled, uint32_t loopsDone) {
    std::string text;
    if (result == StepResult::Finished) {
        text = "終了";
    } else if (result == StepResult::Aborted) {
        text = "中断";
    } else {
        return text;
    }
    if (loopEnabled == 1) text += "(ループ完了回数 " + std::to_string(static_cast<int32_t>(loopsDone)) + ")";
    return text;
}

}  // namespace tappling
