#include "commands/ShortcutCommands.h"

#include "app/DesktopShortcut.h"

namespace tappling {

void ShortcutCommands::createShortcut(std::string_view option) {
    if (context_.currentFilePath.empty()) {
        context_.prompter.inform(kNoFileNameText);
        return;
    }
    const auto mode = shortcutMode(option);
    if (!mode || !context_.prompter.askOkCancel(mode->confirmation)) return;
    context_.view.writeDesktopShortcut(option);
}

}  // namespace tappling
