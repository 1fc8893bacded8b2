// Key state as the stop-key and recorder polls need it (down now or pressed since the last query).
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32KeyState final : public KeyState {
public:
    uint16_t asyncKeyState(uint8_t vk) override;
};

}  // namespace tappling
