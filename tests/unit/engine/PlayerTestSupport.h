// Small builders and a stepping loop for the playback tests.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/MacroPlayer.h"
#include "fakes/FakePlatform.h"

namespace tappling::testing {

inline ActionRecord record(ActionType type, int32_t preWait = 0, int32_t postWait = 0, int32_t x = 0, int32_t y = 0) {
    ActionRecord r;
    r.actionType = type;
    r.preWaitMs = preWait;
    r.postWaitMs = postWait;
    r.x = x;
    r.y = y;
    return r;
}

struct RunOutcome {
    StepResult result = StepResult::Continue;
    uint32_t endTick = 0;  // clock at the step that ended the run
    int steps = 0;
    int recordsDone = 0;
};

// Steps every `spacing` ms (the clock moves before each step) until the run ends.
inline RunOutcome stepUntilEnd(MacroPlayer& player, fake::FakeClock& clock, uint32_t spacing,
                               int maxSteps = 1'000'000) {
    RunOutcome out;
    for (; out.steps < maxSteps; ) {
        clock.advance(spacing);
        const StepResult r = player.step();
        ++out.steps;
        if (r == StepResult::RecordDone) ++out.recordsDone;
        if (r != StepResult::Continue && r != StepResult::RecordDone) {
            out.result = r;
            out.endTick = clock.now();
            return out;
        }
    }
    return out;
}

}  // namespace tappling::testing
