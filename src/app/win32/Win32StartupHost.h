// Start-up's view of the real system: the main window, the macro file reader, a
// message box and the mouse pointer.
#pragma once

#include "app/Startup.h"
#include "model/FileAccess.h"
#include "ui/main/MainDialog.h"

namespace tappling {

class Win32StartupHost final : public StartupHost {
public:
    Win32StartupHost(MainDialog& window, FileAccess& files, const CodePage& codePage)
        : window_(window), files_(files), codePage_(codePage) {}

    ReadOutcome loadMacro(const std::string& path) override;
    void showReadError(std::string_view text) override;
    void runMainWindow(const StartOptions& options) override;
    std::optional<CursorPosition> cursorPosition() override;
    void setCursorPosition(CursorPosition position) override;
    bool isFile(const std::string& path) const override;

private:
    MainDialog& window_;
    FileAccess& files_;
    const CodePage& codePage_;
};

}  // namespace tappling
