#include "engine/win32/Win32Clock.h"

#include <windows.h>

namespace tappling {

uint32_t Win32Clock::tickCount() { return GetTickCount(); }

}  // namespace tappling
