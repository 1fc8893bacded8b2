#include "engine/RunCommands.h"

#include "resources/resource.h"

namespace tappling {
namespace {

constexpr std::string_view kCannotResume = "「再開」処理は実行できません";

}  // namespace

RunCommands::RunCommands(MacroPlayer& player, RunHost& host, int32_t autoRunMode)
    : autoRunMode(autoRunMode), player_(player), host_(host) {}

void RunCommands::startRun(int32_t resume) {
    if (player_.actions().empty()) return;
    host_.hideMarker();
    host_.readLoopControls();
    if (player_.modified == 1) {
        const Answer answer = host_.askSave();
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) host_.saveMacro();
    }
    host_.showMinimized();
    player_.beginRun(resume);
    host_.startStepTimer();
}

bool RunCommands::onCommand(int32_t commandId) {
    switch (commandId) {
        case IDC_RUN:
        case ID_EDIT_RUN:
            startRun(0);
            return true;
        case ID_EDIT_RUN_RANDOM:
            player_.randomMode = 1;
            startRun(0);
            return true;
        case IDC_RESUME:
            startRun(player_.resumable);
            return true;
        case ID_EDIT_RESUME:
        case ID_EDIT_RESUME_RANDOM:
            if (player_.resumable == 0) {
                host_.inform(kCannotResume);
                return true;
            }
            if (commandId == ID_EDIT_RESUME_RANDOM) player_.randomMode = 1;
            startRun(1);
            return true;
        default:
            return false;
    }
}

void RunCommands::onLoopControlsClicked() {
    player_.modified = 1;
    player_.resumable = 0;
}

void RunCommands::onStepTimer() {
    const StepResult result = player_.step();
    if (result == StepResult::Continue) return;
    if (result == StepResult::RecordDone) {
        if (autoRunMode != 1) host_.updateTitleProgress(static_cast<int32_t>(player_.loopsDone));
        return;
    }
    finishRun(result);
}

void RunCommands::finishRun(StepResult result) {
    if (autoRunMode != 1) host_.updateTitle();
    host_.killStepTimer();
    player_.runState = RunState::Idle;
    if (autoRunMode == 1) {
        host_.closeAsOk();
        return;
    }
    host_.showNormal();
    const std::string message = runEndMessage(result, player_.macro.loopEnabled, player_.loopsDone);
    if (!message.empty()) host_.inform(message);
}

void RunCommands::onResized() {
    if (player_.runState == RunState::Running) player_.runState = RunState::StopRequested;
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
