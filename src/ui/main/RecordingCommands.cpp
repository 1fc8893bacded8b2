#include "ui/main/RecordingCommands.h"

#include "resources/resource.h"
#include "ui/main/MainDialog.h"
#include "ui/main/TimerIds.h"

namespace tappling {

RecordingCommands::RecordingCommands(MainDialog& window, MacroPlayer& player)
    : window_(window), control_(player, *this, codePage_) {}

bool RecordingCommands::onCommand(int id) {
    if (id != IDC_AUTO_RECORD && id != ID_EDIT_AUTO_RECORD) return false;
    control_.beginRecording();
    return true;
}

Answer RecordingCommands::ask(std::string_view utf8) { return window_.prompter().askYesNoCancel(utf8); }
void RecordingCommands::inform(std::string_view utf8) { window_.prompter().inform(utf8); }
int32_t RecordingCommands::newMacro() { return window_.newMacro(); }
void RecordingCommands::minimize() { ShowWindow(window_.hwnd(), SW_MINIMIZE); }
void RecordingCommands::restore() { ShowWindow(window_.hwnd(), SW_RESTORE); }
void RecordingCommands::startRecorderTimer() { SetTimer(window_.hwnd(), kRecorderTimer, kTimerPeriodMs, nullptr); }
void RecordingCommands::killRecorderTimer() { KillTimer(window_.hwnd(), kRecorderTimer); }
void RecordingCommands::refreshList() { window_.refreshList(); }

}  // namespace tappling
