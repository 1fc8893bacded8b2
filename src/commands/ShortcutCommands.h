// "ショートカット作成": desktop shortcuts that start the program with the current macro
// file in one of the three start modes.
#pragma once

#include <string_view>

#include "commands/MainView.h"

namespace tappling {

class ShortcutCommands {
public:
    explicit ShortcutCommands(CommandContext context) : context_(context) {}

    // "-ONDIG" (normal), "-NODIG" (auto-run) or "-NODR" (random auto-run). Asks first;
    // says so when there is no current file.
    void createShortcut(std::string_view option);

private:
    CommandContext context_;
};

}  // namespace tappling
