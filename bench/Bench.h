// The three measurements of tappling_bench; each prints its own figures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace tappling::bench {

void colourSearch();
void scheduleLateness();
void idleCpu();
void idleRecordingCpu();
void largeMacros();
void macroFiles();

// CPU use of one idle scenario: onTick runs on every tick of a 1 ms window timer.
struct IdleFigure {
    uint32_t ticks = 0;
    double wallMs = 0;
    double programPercent = 0;  // of one core
    double serverPercent = 0;   // the wineserver's, of one core
    bool serverFound = false;
};
// polling: pump with 1 ms waits (pumpFor) instead of blocking until a message comes.
IdleFigure measureIdle(const std::function<void()>& onTick, bool polling = false);
void printIdle(const char* label, const IdleFigure& figure);

// Pumps messages (timers included) for about ms milliseconds.
void pumpFor(DWORD ms);

// A hidden window whose WM_TIMER calls onTick, for the timer-driven measurements.
class TickWindow {
public:
    template <typename F>
    explicit TickWindow(F& onTick) : context_(&onTick), call_([](void* c) { (*static_cast<F*>(c))(); }) {
        create();
    }
    ~TickWindow();
    TickWindow(const TickWindow&) = delete;
    TickWindow& operator=(const TickWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void create();

    void* context_;
    void (*call_)(void*);
    HWND hwnd_ = nullptr;
};

}  // namespace tappling::bench
