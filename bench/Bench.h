// The three measurements of tappling_bench; each prints its own figures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace tappling::bench {

void colourSearch();
void scheduleLateness();
void idleCpu();
void idleRecordingCpu();
void largeMacros();
void macroFiles();
void guardedSteps();

// CPU use of one idle scenario, in % of one core.
struct IdleFigure {
    uint32_t ticks = 0;
    double wallMs = 0;
    double programPercent = 0;
    double serverPercent = 0;  // the wineserver's
    bool serverFound = false;
    bool fromOutside = false;  // another process, its ticks not counted
    double totalPercent() const { return programPercent + serverPercent; }
};

// Where the ticks of an in-process scenario come from.
enum class IdleLoop {
    NoTimer,      // nothing but a blocked GetMessage: Wine's own background
    PlainLoop,    // a 1 ms window timer in a GetMessage loop
    ModalDialog,  // a 1 ms timer on a minimized modal dialog, as the main window runs
};
// onTick runs on every tick; the figure covers ms milliseconds after a short settle.
IdleFigure measureIdle(const std::function<void()>& onTick, IdleLoop loop, DWORD ms);
// Tappling.exe (beside this program) auto-running a macro that waits for ten minutes,
// measured from outside for ms milliseconds once it has settled, then ended.
IdleFigure measureProgramIdle(DWORD ms);

// Scenarios measured one after the other in alternated rounds, so that a change in the
// machine's load hits them all alike; prints each one's median (and the spread).
struct IdleScenario {
    const char* label;
    std::function<IdleFigure()> measure;
};
std::vector<IdleFigure> measureRounds(const std::vector<IdleScenario>& scenarios, int rounds);
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
