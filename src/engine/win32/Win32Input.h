// Pointer and key injection through the classic user32 calls.
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32Input final : public InputSink {
public:
    void setCursorPos(int32_t x, int32_t y) override;
    void clipCursorFree() override;
    std::optional<Point> cursorPos() override;
    void mouseButton(uint32_t flag) override;
    void key(uint8_t vk, uint32_t flags) override;
};

}  // namespace tappling
