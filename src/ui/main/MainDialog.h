// The main window: the action list view, the command buttons, the loop controls and the
// menus. It owns the player and the position marker, and routes every command to the
// unit that handles it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/MacroPlayer.h"
#include "engine/Platform.h"

namespace tappling {

class MainDialog {
public:
    MainDialog(HINSTANCE instance, Platform& platform);
    ~MainDialog();
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    MacroPlayer& player() { return player_; }

    // Set by start-up before runModal.
    std::string currentFilePath;  // ANSI code page
    int32_t autoRunMode = 0;

    // Runs the window modally; returns when it has ended.
    void runModal();

private:
    HINSTANCE instance_;
    Platform& platform_;
    MacroPlayer player_;
};

}  // namespace tappling
