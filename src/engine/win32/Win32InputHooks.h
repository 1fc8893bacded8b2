// The low-level mouse and keyboard hooks behind ManualInputWatch. The system calls them
// on the thread that installed them (the main window's), through its message loop.
#pragma once

#include "engine/ManualInputWatch.h"

namespace tappling {

class Win32InputHooks final : public InputHooks {
public:
    Win32InputHooks() = default;
    ~Win32InputHooks() override { remove(); }
    Win32InputHooks(const Win32InputHooks&) = delete;
    Win32InputHooks& operator=(const Win32InputHooks&) = delete;

    bool install(ManualInputWatch& watch) override;
    void remove() override;
};

}  // namespace tappling
