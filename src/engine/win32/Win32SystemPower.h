// Log off and shut down: enables the shutdown privilege where the system has one.
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32SystemPower final : public SystemPower {
public:
    void shutdown() override;
};

}  // namespace tappling
