// tappling_bench: timing figures of the screen search, the playback schedule and idle
// CPU use, measured on the real platform layer. Prints figures only.
#include <cstdio>
#include <cstring>

#include "Bench.h"

namespace tappling::bench {

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

void TickWindow::create() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TapplingBenchTicks";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    hwnd_ = CreateWindowExW(0, L"TapplingBenchTicks", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
}

TickWindow::~TickWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TickWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TickWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_TIMER && self) {
        self->call_(self->context_);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tappling::bench

// tappling_bench [SCENARIO...]: the named scenarios (list, files, colour, schedule, idle, recording, guards),
// or every one of them.
int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("tappling_bench\n");
    using namespace tappling::bench;
    const struct {
        const char* name;
        void (*run)();
    } scenarios[] = {{"list", largeMacros}, {"files", macroFiles}, {"colour", colourSearch},
                     {"schedule", scheduleLateness}, {"idle", idleCpu},
                     {"recording", idleRecordingCpu}, {"guards", guardedSteps}};
    for (const auto& scenario : scenarios) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], scenario.name) == 0;
        if (wanted) scenario.run();
    }
    return 0;
}
