// A plain top-level window for the Win32 tests: records the mouse and key messages it
// gets and can paint a 32-bit test pattern, plus a message pump that waits for a condition.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace tappling::test {

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    POINT client;
};

// Pumps this thread's messages until done() holds or about timeoutMs passed; returns done().
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
void pumpFor(DWORD ms);

// The colour the pattern has at client (x, y), as COLORREF.
uint32_t patternColour(int x, int y);

class TestWindow {
public:
    // Popup without frame at (x, y), topmost; paints the pattern when asked.
    TestWindow(int x, int y, int width, int height, bool pattern = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Brings the window to the front with the keyboard focus.
    void activate();
    const std::vector<ReceivedMessage>& messages() const { return messages_; }
    bool received(UINT message) const;
    void clear() { messages_.clear(); }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    HWND hwnd_ = nullptr;
    bool pattern_;
    std::vector<ReceivedMessage> messages_;
};

}  // namespace tappling::test
