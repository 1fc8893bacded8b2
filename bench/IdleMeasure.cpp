// How the idle scenarios are measured: a 1 ms window timer driven by the loop the program
// really runs in, the program itself seen from outside, and rounds that alternate them.
#include <algorithm>
#include <cstdio>
#include <string>

#include "Bench.h"
#include "BenchMacros.h"
#include "LinuxCpu.h"
#include "model/MacroFile.h"
#include "model/win32/Win32FileAccess.h"

namespace tappling::bench {

namespace {

constexpr DWORD kSettleMs = 300;
constexpr UINT_PTR kTickTimer = 3, kSettleTimer = 8, kEndTimer = 9;

IdleFigure figureBetween(const LinuxCpu& cpu0, const LinuxCpu& cpu1, double wallMs, uint32_t ticks) {
    IdleFigure figure;
    figure.ticks = ticks;
    figure.wallMs = wallMs;
    figure.programPercent = 100.0 * (cpu1.programMs - cpu0.programMs) / wallMs;
    figure.serverPercent = 100.0 * (cpu1.serverMs - cpu0.serverMs) / wallMs;
    figure.serverFound = cpu1.serverFound;
    return figure;
}

// Runs a GetMessage loop, as a plain window's message loop does, for about ms: a thread
// timer marks the end.
void waitForMessagesFor(DWORD ms) {
    const UINT_PTR end = SetTimer(nullptr, 0, ms, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == end) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, end);
}

IdleFigure measurePlainLoop(const std::function<void()>& onTick, bool withTimer, DWORD ms) {
    uint32_t ticks = 0;
    auto tick = [&] {
        onTick();
        ++ticks;
    };
    TickWindow window(tick);
    if (withTimer) SetTimer(window.hwnd(), kTickTimer, 1, nullptr);
    waitForMessagesFor(kSettleMs);
    ticks = 0;
    const LinuxCpu cpu0 = linuxCpuNow();
    const double t0 = nowMs();
    waitForMessagesFor(ms);
    const double wall = nowMs() - t0;
    const IdleFigure figure = figureBetween(cpu0, linuxCpuNow(), wall, ticks);
    if (withTimer) KillTimer(window.hwnd(), kTickTimer);
    return figure;
}

// A minimized modal dialog whose 1 ms timer calls onTick: Wine's dialog loop peeks before
// it waits, so each of its ticks costs more than a plain loop's.
struct ModalRun {
    const std::function<void()>* onTick = nullptr;
    DWORD ms = 0;
    int settles = 0;
    uint32_t ticks = 0;
    LinuxCpu cpu0;
    double t0 = 0;
    IdleFigure figure;
};

INT_PTR CALLBACK modalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* run = reinterpret_cast<ModalRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetTimer(dialog, kTickTimer, 1, nullptr);
        SetTimer(dialog, kSettleTimer, kSettleMs, nullptr);
        return TRUE;
    }
    if (message != WM_TIMER || run == nullptr) return FALSE;
    switch (wParam) {
        case kTickTimer:
            (*run->onTick)();
            ++run->ticks;
            break;
        case kSettleTimer:
            // First settle: minimize as a run does; second: the measurement starts.
            if (++run->settles == 1) {
                ShowWindow(dialog, SW_MINIMIZE);
                break;
            }
            KillTimer(dialog, kSettleTimer);
            run->ticks = 0;
            run->cpu0 = linuxCpuNow();
            run->t0 = nowMs();
            SetTimer(dialog, kEndTimer, run->ms, nullptr);
            break;
        case kEndTimer:
            run->figure = figureBetween(run->cpu0, linuxCpuNow(), nowMs() - run->t0, run->ticks);
            KillTimer(dialog, kTickTimer);
            KillTimer(dialog, kEndTimer);
            EndDialog(dialog, IDOK);
            break;
    }
    return TRUE;
}

IdleFigure measureModalDialog(const std::function<void()>& onTick, DWORD ms) {
    struct alignas(4) Template {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } dialogTemplate{};
    dialogTemplate.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    dialogTemplate.dialog.cx = 200;
    dialogTemplate.dialog.cy = 100;
    ModalRun run;
    run.onTick = &onTick;
    run.ms = ms;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.dialog, nullptr, modalProc,
                            reinterpret_cast<LPARAM>(&run));
    return run.figure;
}

std::string besideThisProgram(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + name;
}

}  // namespace

IdleFigure measureIdle(const std::function<void()>& onTick, IdleLoop loop, DWORD ms) {
    if (loop == IdleLoop::ModalDialog) return measureModalDialog(onTick, ms);
    return measurePlainLoop(onTick, loop == IdleLoop::PlainLoop, ms);
}

IdleFigure measureProgramIdle(DWORD ms) {
    const std::string macroPath = tempPath("tappling_idle.TPM");
    Macro macro;
    ActionRecord wait = makeDefaultRecord();
    wait.actionType = ActionType::WaitOnly;
    wait.preWaitMs = 600000;
    wait.postWaitMs = 0;
    macro.actions.append(wait);
    Win32FileAccess files;
    if (!writeMacroFile(macro, macroPath, files).ok) return {};

    std::string commandLine = "\"";
    commandLine.append(besideThisProgram("Tappling.exe")).append("\" ").append(macroPath).append(" -NODIG");
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    IdleFigure figure;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        // The auto-run minimizes the window and starts its timer within about a second.
        std::string pid;
        for (int i = 0; i < 50 && pid.empty(); ++i) {
            Sleep(100);
            pid = findWineProcess("Tappling.exe");  // Wine shows a child's program path, not its arguments
        }
        Sleep(1500);
        const LinuxCpu cpu0 = linuxCpuOf(pid);
        const double t0 = nowMs();
        Sleep(ms);
        figure = figureBetween(cpu0, linuxCpuOf(pid), nowMs() - t0, 0);
        figure.fromOutside = true;
        figure.serverFound = figure.serverFound && !pid.empty();
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteFileA(macroPath.c_str());
    return figure;
}

std::vector<IdleFigure> measureRounds(const std::vector<IdleScenario>& scenarios, int rounds) {
    std::vector<std::vector<IdleFigure>> figures(scenarios.size());
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < scenarios.size(); ++i) figures[i].push_back(scenarios[i].measure());

    std::vector<IdleFigure> medians;
    for (size_t i = 0; i < scenarios.size(); ++i) {
        std::vector<IdleFigure>& all = figures[i];
        std::sort(all.begin(), all.end(),
                  [](const IdleFigure& a, const IdleFigure& b) { return a.totalPercent() < b.totalPercent(); });
        const IdleFigure& median = all[all.size() / 2];
        printIdle(scenarios[i].label, median);
        std::printf("  %-44s rounds %.2f%% to %.2f%%\n", "", all.front().totalPercent(), all.back().totalPercent());
        medians.push_back(median);
    }
    return medians;
}

void printIdle(const char* label, const IdleFigure& f) {
    char ticks[32] = "from outside";
    if (!f.fromOutside) std::snprintf(ticks, sizeof(ticks), "%u ticks", f.ticks);
    std::printf("  %-44s %12s in %5.0f ms: program %5.2f%% + wineserver %5.2f%%%s = %5.2f%% of one core\n",
                label, ticks, f.wallMs, f.programPercent, f.serverPercent, f.serverFound ? "" : " (not found)",
                f.totalPercent());
}

}  // namespace tappling::bench
