#include "engine/win32/Win32Clipboard.h"

#include <windows.h>

#include <cstring>

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

// Frees the block unless the clipboard took it.
class GlobalBlock {
public:
    explicit GlobalBlock(size_t bytes) : h_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~GlobalBlock() {
        if (h_) GlobalFree(h_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL get() const { return h_; }
    void release() { h_ = nullptr; }

private:
    HGLOBAL h_;
};

}  // namespace

bool Win32Clipboard::setText(const std::string& ansiText) {
    OpenedClipboard clipboard;
    if (!clipboard.ok()) return false;

    // GMEM_MOVEABLE: SetClipboardData documents moveable memory, and other programs
    // read the block through GlobalLock, which a fixed block only tolerates.
    GlobalBlock block(ansiText.size() + 1);
    if (!block.get()) return false;
    void* dst = GlobalLock(block.get());
    if (!dst) return false;
    std::memcpy(dst, ansiText.c_str(), ansiText.size() + 1);
    GlobalUnlock(block.get());

    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_TEXT, block.get())) return false;
    block.release();  // the clipboard owns it now
    return true;
}

}  // namespace tappling
