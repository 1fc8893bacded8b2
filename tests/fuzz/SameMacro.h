// Whether two macros hold the same loop values and records: what a round trip must keep.
#pragma once

#include "model/ActionList.h"

namespace tappling {

inline bool sameMacro(const Macro& a, const Macro& b) {
    return a.loopEnabled == b.loopEnabled && a.loopLimited == b.loopLimited && a.loopCount == b.loopCount &&
           a.actions.records() == b.actions.records();
}

}  // namespace tappling
