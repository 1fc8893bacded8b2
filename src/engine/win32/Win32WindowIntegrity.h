// The foreground window and the integrity levels of its process and of this one.
#pragma once

#include "engine/IntegrityGate.h"

namespace tappling {

class Win32WindowIntegrity final : public WindowIntegrity {
public:
    uintptr_t foregroundWindow() override;
    std::optional<uint32_t> windowIntegrity(uintptr_t window) override;
    std::optional<uint32_t> ownIntegrity() override;
    std::string windowTitle(uintptr_t window) override;
};

}  // namespace tappling
