#include "model/MacroFileChooser.h"

namespace tappling {

// '.' is never a trail byte of a double-byte character, and neither is anything that
// follows a real '.', so a four-byte ".TPM" suffix is always a real extension.
bool hasMacroFileExtension(std::string_view path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.size() - dot != 4) return false;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(path[dot + 1]) == 'T' && upper(path[dot + 2]) == 'P' && upper(path[dot + 3]) == 'M';
}

int chooseMacroFile(FileDialogs& dialogs, Prompter& prompter, ChooseMode mode, std::string& path) {
    const std::optional<ChosenFile> chosen = dialogs.choose(mode, path);
    if (!chosen) return 0;
    if (!chosen->fitsCodePage) {
        prompter.inform(kUnusableFileNameText);
        return 0;
    }
    if (!hasMacroFileExtension(chosen->path)) {
        prompter.inform("TPMﾌｧｲﾙではありません。");
        return 0;
    }
    path = chosen->path.substr(0, chosen->path.size() - 4) + ".TPM";
    return 1;
}

}  // namespace tappling
