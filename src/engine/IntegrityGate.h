// Windows silently drops input sent to a window of a process at a higher integrity level
// (an elevated program). Before an action that sends input the run asks this gate, which
// compares the foreground window's process with this one, once per foreground window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tappling {

// What the check reads of the system.
class WindowIntegrity {
public:
    virtual ~WindowIntegrity() = default;
    virtual uintptr_t foregroundWindow() = 0;  // 0 when there is none
    // The mandatory integrity level (the label's RID) of the window's process, and of this
    // process; nullopt when it cannot be read.
    virtual std::optional<uint32_t> windowIntegrity(uintptr_t window) = 0;
    virtual std::optional<uint32_t> ownIntegrity() = 0;
    virtual std::string windowTitle(uintptr_t window) = 0;  // UTF-8
};

enum class IntegrityComparison { Lower, Equal, Higher, Unknown };

// The other process's level against ours.
IntegrityComparison compareIntegrity(std::optional<uint32_t> own, std::optional<uint32_t> other);

class IntegrityGate {
public:
    explicit IntegrityGate(WindowIntegrity& system) : system_(system) {}

    // nullopt while input may go on; otherwise the title of the foreground window that
    // would drop it. An unreadable level lets input go on, as before this check.
    std::optional<std::string> refusingWindow();

private:
    WindowIntegrity& system_;
    std::optional<std::optional<uint32_t>> own_;  // read once
    uintptr_t cachedWindow_ = 0;
    bool cachedRefuses_ = false;
    bool cacheValid_ = false;
};

// The message shown when a run stops at such a window.
std::string refusedInputMessage(const std::string& windowTitleUtf8);

}  // namespace tappling
