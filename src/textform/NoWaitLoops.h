// Loops of two or more actions that playback can go round without ever waiting: every
// step on them passes no wait (a condition's failed test passes only its pre-wait), and
// a skip or condition jumps back into them. The run spins there at full speed.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/ActionList.h"

namespace tappling {

struct NoWaitLoop {
    int32_t first;       // the lowest action number on the loop (1-based)
    int32_t last;        // the highest
    int32_t size;        // actions on it
    int32_t jumpAction;  // the action whose jump leads back
    std::string_view field;  // "trueJump" or "falseJump"
};

std::vector<NoWaitLoop> findNoWaitLoops(const ActionList& actions);

}  // namespace tappling
