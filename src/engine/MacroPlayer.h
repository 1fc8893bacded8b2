// The macro being edited and played: its actions and loop values, the modified flag,
// and (added by playback and recording) the run state.
#pragma once

#include <cstdint>

#include "model/ActionList.h"

namespace tappling {

class MacroPlayer {
public:
    Macro macro;
    int32_t modified = 0;

    ActionList& actions() { return macro.actions; }
    const ActionList& actions() const { return macro.actions; }
};

}  // namespace tappling
