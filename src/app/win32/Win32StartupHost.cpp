#include "app/win32/Win32StartupHost.h"

#include <windows.h>

#include "ui/Win32Prompter.h"

namespace tappling {

ReadOutcome Win32StartupHost::loadMacro(const std::string& path) {
    return readMacroFile(window_.player().macro, path, ReadMode::Open, files_, codePage_);
}

void Win32StartupHost::showReadError(std::string_view text) { Win32Prompter().inform(text); }

void Win32StartupHost::runMainWindow(const StartOptions& options) {
    window_.currentFilePath = options.path;
    window_.autoRunMode = options.autoRunMode;
    window_.player().randomMode = options.randomMode;
    window_.runModal();
}

std::optional<CursorPosition> Win32StartupHost::cursorPosition() {
    POINT point{};
    if (!GetCursorPos(&point)) return std::nullopt;
    return CursorPosition{point.x, point.y};
}

void Win32StartupHost::setCursorPosition(CursorPosition position) { SetCursorPos(position.x, position.y); }

bool Win32StartupHost::isFile(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tappling
