#include "engine/win32/Win32KeyState.h"

#include <windows.h>

namespace tappling {

uint16_t Win32KeyState::asyncKeyState(uint8_t vk) { return static_cast<uint16_t>(GetAsyncKeyState(vk)); }

}  // namespace tappling
