// The real platform: owns one Win32 implementation of each interface and hands them
// out as the bundle the engine takes.
#pragma once

#include "engine/Platform.h"
#include "engine/win32/Win32Clipboard.h"
#include "engine/win32/Win32Clock.h"
#include "engine/win32/Win32Input.h"
#include "engine/win32/Win32KeyState.h"
#include "engine/win32/Win32Random.h"
#include "engine/win32/Win32Screen.h"
#include "engine/win32/Win32Shell.h"
#include "engine/win32/Win32SystemPower.h"

namespace tappling {

class Win32Platform {
public:
    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform& platform() { return bundle_; }

private:
    Win32Clock clock_;
    Win32Input input_;
    Win32KeyState keys_;
    Win32Screen screen_;
    Win32Clipboard clipboard_;
    Win32Shell shell_;
    Win32SystemPower power_;
    Win32Random random_;
    Platform bundle_{clock_, input_, keys_, screen_, clipboard_, shell_, power_, random_};
};

}  // namespace tappling
