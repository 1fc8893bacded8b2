#include "engine/MacroPlayer.h"

#include <limits>

namespace tappling {

MacroPlayer::MacroPlayer(Platform& platform) : platform_(platform) {}

// A worker still inside its shell call is detached, never waited for.
MacroPlayer::~MacroPlayer() = default;

void MacroPlayer::beginRun(int32_t resume) {
    timeBase = platform_.clock.tickCount();
    if (resume != 1) {
        loopsDone = 0;
        phase = Phase::PreWait;
        currentIndex = 0;
        repeatDone = 0;
        nextIndex = 0;
        runState = RunState::Running;
    }
    resumable_ = 0;
    // Presses made before the start must not stop the run.
    platform_.keys.asyncKeyState(kVkEscape);
    platform_.keys.asyncKeyState(kVkF2);
}

bool MacroPlayer::waitElapsed(int32_t ms) {
    // A negative wait (the editor stores what is typed) is no wait; it does not pull the
    // base back, which would shorten the waits after it.
    const uint32_t wait = ms > 0 ? static_cast<uint32_t>(ms) : 0;
    // Elapsed time as an unsigned difference stays right when the clock wraps; comparing
    // the clock with the sum base + wait would end a wait early across the wrap.
    if (platform_.clock.tickCount() - timeBase < wait) return false;
    timeBase += wait;
    return true;
}

bool MacroPlayer::stopKeyPressed() {
    return platform_.keys.asyncKeyState(kVkEscape) != 0 || platform_.keys.asyncKeyState(kVkF2) != 0;
}

StepResult MacroPlayer::step() {
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
            if (stopKeyPressed()) {
                resumable_ = 1;
                return StepResult::Aborted;
            }
            if (waitElapsed(record.preWaitMs)) phase = Phase::Act;
            return StepResult::Continue;
        case Phase::Act: {
            if (stopKeyPressed()) {
                resumable_ = 1;
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
            if (stopKeyPressed()) {
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
