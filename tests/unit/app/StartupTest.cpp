#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Startup.h"
#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

// Records every call in order, so the tests check what start-up did and in which order.
class RecordingHost final : public StartupHost {
public:
    ReadOutcome outcome{ReadResult::Loaded, {}};
    CursorPosition pointer{100, 200};
    bool cursorFails = false;
    std::vector<std::string> calls;
    std::string loadedPath;
    std::string shownError;
    StartOptions windowOptions;

    ReadOutcome loadMacro(const std::string& path) override {
        calls.push_back("load");
        loadedPath = path;
        return outcome;
    }
    void showReadError(std::string_view text) override {
        calls.push_back("error");
        shownError = text;
    }
    void runMainWindow(const StartOptions& options) override {
        calls.push_back("window");
        windowOptions = options;
        pointer = {5, 6};  // an auto-run moves the pointer
    }
    std::optional<CursorPosition> cursorPosition() override {
        calls.push_back("getCursor");
        if (cursorFails) return std::nullopt;
        return pointer;
    }
    void setCursorPosition(CursorPosition position) override {
        calls.push_back("setCursor " + std::to_string(position.x) + "," + std::to_string(position.y));
        pointer = position;
    }
    // Every path exists, so start-up takes the grammar's own split (the finder has its own tests).
    bool isFile(const std::string&) const override { return true; }
};

using Calls = std::vector<std::string>;

TEST(Startup, EmptyCommandLineRunsWindowWithoutLoadOrPointerRestore) {
    Cp932CodePage codePage;
    RecordingHost host;
    EXPECT_EQ(runStartup("", codePage, host), StartupEnd::WindowClosed);
    EXPECT_EQ(host.calls, (Calls{"window"}));
    EXPECT_EQ(host.windowOptions.path, "");
    EXPECT_EQ(host.windowOptions.autoRunMode, 0);
    EXPECT_EQ(host.windowOptions.randomMode, 0);
}

TEST(Startup, LoadedFileRunsWindowThenRestoresPointer) {
    Cp932CodePage codePage;
    RecordingHost host;
    EXPECT_EQ(runStartup("C:\\m\\a.TPM -NODR", codePage, host), StartupEnd::WindowClosed);
    EXPECT_EQ(host.calls, (Calls{"getCursor", "load", "window", "setCursor 100,200"}));
    EXPECT_EQ(host.loadedPath, "C:\\m\\a.TPM");
    EXPECT_EQ(host.windowOptions.path, "C:\\m\\a.TPM");
    EXPECT_EQ(host.windowOptions.autoRunMode, 1);
    EXPECT_EQ(host.windowOptions.randomMode, 1);
    EXPECT_EQ(host.pointer.x, 100);
    EXPECT_EQ(host.pointer.y, 200);
}

TEST(Startup, UnreadablePointerIsNotPutBack) {
    Cp932CodePage codePage;
    RecordingHost host;
    host.cursorFails = true;
    EXPECT_EQ(runStartup("C:\\m\\a.TPM -NODIG", codePage, host), StartupEnd::WindowClosed);
    EXPECT_EQ(host.calls, (Calls{"getCursor", "load", "window"}));
}

TEST(Startup, UnknownOptionStillLoadsAndOpensNormally) {
    Cp932CodePage codePage;
    RecordingHost host;
    EXPECT_EQ(runStartup("C:\\m\\a.TPM -XYZ", codePage, host), StartupEnd::WindowClosed);
    EXPECT_EQ(host.windowOptions.autoRunMode, 0);
    EXPECT_EQ(host.windowOptions.randomMode, 0);
}

struct SilentCase {
    const char* name;
    ReadResult result;
};

class StartupSilentEnd : public ::testing::TestWithParam<SilentCase> {};

TEST_P(StartupSilentEnd, EndsWithoutWindowMessageOrPointerRestore) {
    Cp932CodePage codePage;
    RecordingHost host;
    host.outcome = {GetParam().result, {}};
    EXPECT_EQ(runStartup("C:\\m\\a.TPM -NODIG", codePage, host), StartupEnd::NotAMacroFile);
    EXPECT_EQ(host.calls, (Calls{"getCursor", "load"}));
}

INSTANTIATE_TEST_SUITE_P(Results, StartupSilentEnd,
                         ::testing::Values(SilentCase{"FormatNotSupported", ReadResult::FormatNotSupported},
                                           SilentCase{"VersionNotSupported", ReadResult::VersionNotSupported}),
                         [](const ::testing::TestParamInfo<SilentCase>& info) { return std::string(info.param.name); });

TEST(Startup, ReadErrorIsShownAndEndsWithoutWindow) {
    Cp932CodePage codePage;
    RecordingHost host;
    host.outcome = {ReadResult::ReadError, "読み込みエラー\nC:\\m\\a.TPM"};
    EXPECT_EQ(runStartup("C:\\m\\a.TPM -NODIG", codePage, host), StartupEnd::ReadError);
    EXPECT_EQ(host.calls, (Calls{"getCursor", "load", "error"}));
    EXPECT_EQ(host.shownError, "読み込みエラー\nC:\\m\\a.TPM");
}

TEST(Startup, ReadErrorWithoutTextStillSaysSomething) {
    Cp932CodePage codePage;
    RecordingHost host;
    host.outcome = {ReadResult::ReadError, {}};
    EXPECT_EQ(runStartup("C:\\m\\a.TPM", codePage, host), StartupEnd::ReadError);
    EXPECT_EQ(host.shownError, kReadErrorFallbackText);
}

TEST(Startup, UnexpectedResultCodeIsTreatedAsReadError) {
    Cp932CodePage codePage;
    RecordingHost host;
    host.outcome = {static_cast<ReadResult>(7), "x"};
    EXPECT_EQ(runStartup("C:\\m\\a.TPM", codePage, host), StartupEnd::ReadError);
    EXPECT_EQ(host.calls, (Calls{"getCursor", "load", "error"}));
}

TEST(Startup, DashInFolderLoadsTheCutPath) {
    Cp932CodePage codePage;
    RecordingHost host;
    host.outcome = {ReadResult::FormatNotSupported, {}};
    EXPECT_EQ(runStartup("C:\\my-dir\\a.TPM -NODIG", codePage, host), StartupEnd::NotAMacroFile);
    EXPECT_EQ(host.loadedPath, "C:\\my");
}

}  // namespace
}  // namespace tappling
