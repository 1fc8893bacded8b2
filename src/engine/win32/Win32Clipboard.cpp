#include "engine/win32/Win32Clipboard.h"

#include <windows.h>

#include <cstring>

#include "win32/Handles.h"

namespace tappling {

namespace {

// Another program may hold the clipboard for a moment (a clipboard viewer reading our
// last change): retry for a few milliseconds before giving up.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 1;

class OpenedClipboard {
public:
    OpenedClipboard() {
        for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
            if (attempt > 0) Sleep(kOpenRetryMs);
            open_ = OpenClipboard(nullptr) != FALSE;
        }
    }
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool ok() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace

bool Win32Clipboard::setText(const std::string& ansiText) {
    OpenedClipboard clipboard;
    if (!clipboard.ok()) return false;

    // GMEM_MOVEABLE: SetClipboardData documents moveable memory, and other programs
    // read the block through GlobalLock, which a fixed block only tolerates.
    GlobalMemory block(ansiText.size() + 1);
    if (!block.get()) return false;
    {
        const GlobalLockScope locked(block.get());
        if (!locked.data()) return false;
        std::memcpy(locked.data(), ansiText.c_str(), ansiText.size() + 1);
    }

    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_TEXT, block.get())) return false;
    block.release();  // the clipboard owns it now
    return true;
}

}  // namespace tappling
