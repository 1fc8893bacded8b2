// The millisecond tick of the system.
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32Clock final : public Clock {
public:
    uint32_t tickCount() override;
};

}  // namespace tappling
