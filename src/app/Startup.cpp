#include "app/Startup.h"

namespace tappling {

StartupEnd runStartup(std::string_view rawCommandLine, const CodePage& codePage, StartupHost& host) {
    const StartOptions options = findStartFile(rawCommandLine, codePage, host);
    if (options.emptyCommandLine) {
        host.runMainWindow(options);
        return StartupEnd::WindowClosed;
    }

    const std::optional<CursorPosition> pointer = host.cursorPosition();
    const ReadOutcome outcome = host.loadMacro(options.path);
    switch (outcome.result) {
    case ReadResult::Loaded:
        break;
    case ReadResult::FormatNotSupported:
    case ReadResult::VersionNotSupported:
        return StartupEnd::NotAMacroFile;
    case ReadResult::ReadError:
    default:
        // A partly read macro must never reach the window (an auto-run would play it).
        host.showReadError(outcome.errorText.empty() ? std::string_view(kReadErrorFallbackText)
                                                     : std::string_view(outcome.errorText));
        return StartupEnd::ReadError;
    }

    host.runMainWindow(options);
    if (pointer) host.setCursorPosition(*pointer);  // never to a corner nobody left it in
    return StartupEnd::WindowClosed;
}

}  // namespace tappling
