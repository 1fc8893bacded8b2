// The run's guards on the real system: the user-input watch over the low-level hooks and
// the integrity check of the foreground window, attached to one player while they live.
#pragma once

#include "engine/IntegrityGate.h"
#include "engine/MacroPlayer.h"
#include "engine/ManualInputWatch.h"
#include "engine/win32/Win32InputHooks.h"
#include "engine/win32/Win32WindowIntegrity.h"

namespace tappling {

class Win32RunGuards {
public:
    explicit Win32RunGuards(MacroPlayer& player) : player_(player) {
        player_.manualInputWatch = &watch_;
        player_.integrityGate = &gate_;
    }
    ~Win32RunGuards() {
        player_.manualInputWatch = nullptr;
        player_.integrityGate = nullptr;
    }
    Win32RunGuards(const Win32RunGuards&) = delete;
    Win32RunGuards& operator=(const Win32RunGuards&) = delete;

    ManualInputWatch& watch() { return watch_; }

private:
    MacroPlayer& player_;
    Win32InputHooks hooks_;
    ManualInputWatch watch_{hooks_};
    Win32WindowIntegrity system_;
    IntegrityGate gate_{system_};
};

}  // namespace tappling
