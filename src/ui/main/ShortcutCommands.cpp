#include "ui/main/ShortcutCommands.h"

#include "app/DesktopShortcut.h"
#include "app/win32/ShellLink.h"
#include "resources/resource.h"
#include "ui/main/MainDialog.h"

namespace tappling {

bool ShortcutCommands::onCommand(int id) {
    switch (id) {
        case ID_FILE_SHORTCUT_NORMAL: createShortcutCommand("-ONDIG"); return true;
        case ID_FILE_SHORTCUT_AUTO: createShortcutCommand("-NODIG"); return true;
        case ID_FILE_SHORTCUT_RANDOM: createShortcutCommand("-NODR"); return true;
        default: return false;
    }
}

void ShortcutCommands::createShortcutCommand(std::string_view option) {
    if (window_.currentFilePath.empty()) {
        prompter_.inform(kNoFileNameText);
        return;
    }
    const auto mode = shortcutMode(option);
    if (!mode || !prompter_.askOkCancel(mode->confirmation)) return;
    createDesktopShortcut(option);
}

void ShortcutCommands::createDesktopShortcut(std::string_view option) {
    const auto mode = shortcutMode(option);
    const std::optional<std::string> desktop = desktopFolderPath();
    if (!mode || !desktop) return;
    const std::string& macroPath = window_.currentFilePath;
    writeShellLink(shortcutLinkPath(*desktop, macroPath, *mode, codePage_), "", shortcutArguments(macroPath, option),
                   programPath());
}

}  // namespace tappling
