#include "engine/MacroPlayer.h"

#include <limits>
#include <optional>
#include <utility>

#include "engine/IntegrityGate.h"
#include "engine/ManualInputWatch.h"

namespace tappling {

MacroPlayer::MacroPlayer(Platform& platform) : platform_(platform) {}

// A worker still inside its shell call is detached, never waited for.
MacroPlayer::~MacroPlayer() = default;

void MacroPlayer::beginRun(int32_t resume, int32_t firstRow) {
    timeBase = platform_.clock.tickCount();
    waitCarry_ = 0;
    speedInForce_ = playbackSpeed;
    refusedWindowTitle.clear();
    if (resume != 1) {
        loopsDone = 0;
        phase = Phase::PreWait;
        currentIndex = firstRow;
        repeatDone = 0;
        nextIndex = 0;
        runState = RunState::Running;
    }
    resumable_ = 0;
    // Presses made before the start must not stop the run.
    platform_.keys.asyncKeyState(kVkEscape);
    platform_.keys.asyncKeyState(kVkF2);
    if (manualInputWatch != nullptr) {
        manualInputWatch->disarm();  // an earlier stop no longer counts
        // An unreadable pointer gives the origin: the player's first move sets the anchor anyway.
        if (stopOnManualInput)
            manualInputWatch->arm(platform_.input.cursorPos().value_or(Point{}), platform_.screen.virtualScreen());
    }
}

void MacroPlayer::endRun() {
    // A button left down would stay down for the whole desktop: the user's next move
    // would drag whatever is under the pointer.
    if (leftHeld_) platform_.input.mouseButton(kLeftUp);
    if (rightHeld_) platform_.input.mouseButton(kRightUp);
    leftHeld_ = false;
    rightHeld_ = false;
    if (manualInputWatch != nullptr) manualInputWatch->disarm();
}

bool MacroPlayer::waitElapsed(int32_t ms) {
    // A negative wait (the editor stores what is typed) is no wait; it does not pull the
    // base back, which would shorten the waits after it.
    const uint64_t wait = ms > 0 ? static_cast<uint64_t>(ms) : 0;
    // In units of 1/num ms: the true base is timeBase + waitCarry_, the scaled wait
    // wait * den. Elapsed time as an unsigned difference stays right when the clock
    // wraps; comparing the clock with the sum base + wait would end a wait early there.
    const SpeedRatio ratio = speedRatio(speedInForce_);
    const uint64_t due = wait * ratio.den + waitCarry_;
    const uint64_t elapsed = uint64_t{platform_.clock.tickCount() - timeBase} * ratio.num;
    if (elapsed < due) return false;
    timeBase += static_cast<uint32_t>(due / ratio.num);
    waitCarry_ = due % ratio.num;
    return true;
}

bool MacroPlayer::stopKeyPressed() {
    return platform_.keys.asyncKeyState(kVkEscape) != 0 || platform_.keys.asyncKeyState(kVkF2) != 0;
}

bool MacroPlayer::userStopped() {
    return stopKeyPressed() || (manualInputWatch != nullptr && manualInputWatch->tripped());
}

namespace {

// Buttons and keys: what a window of a higher integrity level would silently drop.
bool sendsInput(ActionType type) {
    const int32_t c = code(type);
    return (c >= code(ActionType::LeftClick) && c <= code(ActionType::RightDown)) ||
           (c >= code(ActionType::KeyboardInput) && c <= code(ActionType::RightKey)) || type == ActionType::CtrlRight;
}

}  // namespace

bool MacroPlayer::inputRefused(const ActionRecord& record) {
    if (integrityGate == nullptr || !sendsInput(record.actionType)) return false;
    std::optional<std::string> title = integrityGate->refusingWindow();
    if (!title) return false;
    refusedWindowTitle = std::move(*title);
    return true;
}

StepResult MacroPlayer::step() {
    const StepResult result = advance();
    if (result == StepResult::Finished || result == StepResult::Aborted || result == StepResult::EndOfList) endRun();
    return result;
}

StepResult MacroPlayer::advance() {
    if (runState == RunState::StopRequested) {
        runState = RunState::Idle;
        return StepResult::Aborted;
    }
    // A jump before the first record ends the run like one past the last.
    if (currentIndex < 0 || currentIndex >= actions().size()) return StepResult::EndOfList;

    const ActionRecord& record = actions().at(currentIndex);
    if (record.firstLoopOnly == 1 && loopsDone > 0) {
        nextIndex = currentIndex + 1;
        phase = Phase::Done;
    }

    switch (phase) {
        case Phase::PreWait:
            if (userStopped()) {
                resumable_ = 1;
                return StepResult::Aborted;
            }
            if (waitElapsed(record.preWaitMs)) phase = Phase::Act;
            return StepResult::Continue;
        case Phase::Act: {
            if (userStopped()) {
                resumable_ = 1;
                return StepResult::Aborted;
            }
            if (inputRefused(record)) {
                resumable_ = 1;  // resuming performs the action
                return StepResult::Aborted;
            }
            phase = Phase::PostWait;
            int32_t target = currentIndex;
            const ExecResult result = executeAction(target);
            if (result == ExecResult::JumpAfterWait) {
                nextIndex = target;
            } else if (result == ExecResult::JumpNow) {
                phase = Phase::PreWait;
                currentIndex = target;
            } else {
                nextIndex = currentIndex + 1;
            }
            return StepResult::Continue;
        }
        case Phase::PostWait:
            if (userStopped()) {
                resumable_ = 1;
                return StepResult::Aborted;
            }
            if (!waitElapsed(record.postWaitMs)) return StepResult::Continue;
            phase = Phase::Done;
            break;
        case Phase::Done:
            break;
    }

    // The record is finished; read what is needed before the index moves on.
    const int32_t repeatCount = record.repeatCount;
    ++repeatDone;
    phase = Phase::PreWait;
    if (repeatDone < repeatCount) return StepResult::RecordDone;

    repeatDone = 0;
    currentIndex = nextIndex;
    if (currentIndex < actions().size()) return StepResult::RecordDone;

    // End of a pass.
    ++loopsDone;
    if (macro.loopLimited == 1) {
        if (loopsDone >= static_cast<uint32_t>(macro.loopCount) || loopsDone >= kMaxLoopsDone) {
            return StepResult::Finished;
        }
    } else if (loopsDone >= kMaxLoopsDone) {
        loopsDone = 0;
    }
    if (macro.loopEnabled == 0) return StepResult::Finished;
    currentIndex = 0;
    return StepResult::RecordDone;
}

}  // namespace tappling
