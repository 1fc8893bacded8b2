// The "自動記録" command of the main window (button, menu and context menu) and its poll
// timer, handed to the portable RecordingControl; this unit is the window's side of
// RecordingHost.
#pragma once

#include <cstdint>

#include "model/win32/Win32CodePage.h"
#include "recorder/RecordingControl.h"

namespace tappling {

class MainDialog;

class RecordingCommands final : public RecordingHost {
public:
    RecordingCommands(MainDialog& window, MacroPlayer& player);

    // The auto record command; false for other ids.
    bool onCommand(int id);
    void onRecorderTimer() { control_.onRecorderTimer(); }

    Answer ask(std::string_view utf8) override;
    void inform(std::string_view utf8) override;
    int32_t newMacro() override;
    void minimize() override;
    void restore() override;
    void startRecorderTimer() override;
    void killRecorderTimer() override;
    void refreshList() override;

private:
    MainDialog& window_;
    Win32CodePage codePage_;
    RecordingControl control_;
};

}  // namespace tappling
