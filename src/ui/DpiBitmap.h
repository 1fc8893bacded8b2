// A bitmap made for 96 dpi, enlarged for the display a window is on.
#pragma once

#include <windows.h>

#include "win32/Handles.h"

namespace tappling {

// A 32-bit copy of source enlarged by nearest pixels for dpi (colours exact, the corner
// pixel kept alone); nothing when dpi needs no enlargement or the copy fails, so the
// caller keeps the source.
GdiObject<HBITMAP> enlargedForDpi(HBITMAP source, UINT dpi);

}  // namespace tappling
