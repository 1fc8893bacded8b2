// Start-up of the program: reads the command line, loads the macro it names and runs the
// main window. The Win32 pieces sit behind StartupHost so the order of the steps and the
// failure paths are tested without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "app/StartFile.h"
#include "model/MacroFile.h"

namespace tappling {

struct CursorPosition {
    int32_t x = 0;
    int32_t y = 0;
};

// Also the probe that tells which reading of the command line names an existing file.
class StartupHost : public FileProbe {
public:
    virtual ~StartupHost() = default;
    // Loads path into the main window's macro in Open mode.
    virtual ReadOutcome loadMacro(const std::string& path) = 0;
    // A message box with OK only; text is UTF-8.
    virtual void showReadError(std::string_view text) = 0;
    // Hands the options to the main window and the player, runs the window modally and
    // returns when it has closed.
    virtual void runMainWindow(const StartOptions& options) = 0;
    // Nothing when the system cannot tell; then the pointer is not put back afterwards.
    virtual std::optional<CursorPosition> cursorPosition() = 0;
    virtual void setCursorPosition(CursorPosition position) = 0;
};

enum class StartupEnd : int32_t {
    WindowClosed = 0,   // the main window ran and closed
    NotAMacroFile = 1,  // missing file, wrong name or tag, or a version not accepted: no window, no message
    ReadError = 2,      // the file could not be read to its end: the error shown, no window
};

// Shown when a failed load gives no text of its own.
inline constexpr char kReadErrorFallbackText[] = "ファイルの読み込み中にエラーが発生しました。";

StartupEnd runStartup(std::string_view rawCommandLine, const CodePage& codePage, StartupHost& host);

}  // namespace tappling
