// "ショートカット作成": desktop shortcuts that start Tappling with the current macro file
// in one of the three start modes.
#pragma once

#include <string_view>

#include "model/Prompter.h"
#include "model/win32/Win32CodePage.h"

namespace tappling {

class MainDialog;

class ShortcutCommands final {
public:
    ShortcutCommands(MainDialog& window, Prompter& prompter) : window_(window), prompter_(prompter) {}

    // The three shortcut commands; false for other ids.
    bool onCommand(int id);
    // Asks first; says so when there is no current file.
    void createShortcutCommand(std::string_view option);
    // Writes the link on the desktop; any failure of the shell is silent.
    void createDesktopShortcut(std::string_view option);

private:
    MainDialog& window_;
    Prompter& prompter_;
    Win32CodePage codePage_;
};

}  // namespace tappling
