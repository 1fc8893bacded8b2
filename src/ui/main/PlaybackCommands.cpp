#include "ui/main/PlaybackCommands.h"

#include "resources/resource.h"
#include "ui/main/MainDialog.h"
#include "ui/main/TimerIds.h"

namespace tappling {

PlaybackCommands::PlaybackCommands(MainDialog& window, MacroPlayer& player) : window_(window), run_(player, *this) {}

bool PlaybackCommands::onCommand(int id) {
    switch (id) {
        case IDC_LOOP:
            window_.syncLoopBoxes();
            run_.onLoopControlsClicked();
            return true;
        case IDC_LOOP_MAX:
            run_.onLoopControlsClicked();
            return true;
        default:
            return run_.onCommand(id);
    }
}

void PlaybackCommands::armAutoRun() {
    autoRunStart_.begin();
    PostMessageW(window_.hwnd(), kAutoRunLoopMessage, 0, 0);
}

std::optional<INT_PTR> PlaybackCommands::onAutoRunMessage(UINT message, LPARAM lParam) {
    if (message == kAutoRunLoopMessage) {
        if (autoRunStart_.onLoopRunning(IsWindowVisible(window_.hwnd()) != FALSE))
            SetTimer(window_.hwnd(), kAutoRunTimer, kAutoRunSettleMs, nullptr);
        return TRUE;
    }
    if (message != WM_WINDOWPOSCHANGING) return std::nullopt;
    auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
    if ((position.flags & SWP_SHOWWINDOW) == 0) return std::nullopt;
    switch (autoRunStart_.onShow()) {
        case AutoRunStart::Show::Hold: position.flags &= ~static_cast<UINT>(SWP_SHOWWINDOW); break;
        case AutoRunStart::Show::AllowAndStart: SetTimer(window_.hwnd(), kAutoRunTimer, kAutoRunSettleMs, nullptr); break;
        case AutoRunStart::Show::Allow: break;
    }
    return std::nullopt;
}

void PlaybackCommands::hideMarker() { window_.marker().hide(); }
void PlaybackCommands::readLoopControls() { window_.readLoopControls(); }
Answer PlaybackCommands::askSave() { return window_.prompter().askYesNoCancel(kSaveQuestion); }
void PlaybackCommands::saveMacro() { window_.saveMacro(); }
void PlaybackCommands::showMinimized() { ShowWindow(window_.hwnd(), SW_SHOWMINIMIZED); }
void PlaybackCommands::showNormal() { ShowWindow(window_.hwnd(), SW_SHOWNORMAL); }
void PlaybackCommands::startStepTimer() { SetTimer(window_.hwnd(), kStepTimer, kTimerPeriodMs, nullptr); }
void PlaybackCommands::killStepTimer() { KillTimer(window_.hwnd(), kStepTimer); }
void PlaybackCommands::updateTitle() { window_.updateTitle(); }
void PlaybackCommands::updateTitleProgress(int32_t passes) { window_.updateTitleProgress(passes); }
void PlaybackCommands::inform(std::string_view utf8) { window_.prompter().inform(utf8); }
void PlaybackCommands::closeAsOk() { window_.closeAsOk(); }

}  // namespace tappling
