// Tappling's entry point: wires the Win32 pieces to the start-up logic.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/Startup.h"
#include "engine/win32/Win32Platform.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"
#include "ui/Win32Prompter.h"
#include "ui/main/MainDialog.h"

namespace tappling {
namespace {

class Win32StartupHost final : public StartupHost {
public:
    Win32StartupHost(MainDialog& window, FileAccess& files, const CodePage& codePage)
        : window_(window), files_(files), codePage_(codePage) {}

    ReadOutcome loadMacro(const std::string& path) override {
        return readMacroFile(window_.player().macro, path, ReadMode::Open, files_, codePage_);
    }
    void showReadError(std::string_view text) override { Win32Prompter().inform(text); }
    void runMainWindow(const StartOptions& options) override {
        window_.currentFilePath = options.path;
        window_.autoRunMode = options.autoRunMode;
        window_.player().randomMode = options.randomMode;
        window_.runModal();
    }
    CursorPosition cursorPosition() override {
        POINT point{};
        GetCursorPos(&point);
        return {point.x, point.y};
    }
    void setCursorPosition(CursorPosition position) override { SetCursorPos(position.x, position.y); }

private:
    MainDialog& window_;
    FileAccess& files_;
    const CodePage& codePage_;
};

}  // namespace
}  // namespace tappling

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    tappling::Win32Platform platform;
    tappling::Win32CodePage codePage;
    tappling::Win32FileAccess files;
    tappling::MainDialog window(instance, platform.platform());
    tappling::Win32StartupHost host(window, files, codePage);
    // The exit code says how start-up ended (0 after the window), for scripts.
    return static_cast<int>(tappling::runStartup(commandLine ? commandLine : "", codePage, host));
}
