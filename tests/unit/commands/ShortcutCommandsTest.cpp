#include <gtest/gtest.h>

#include "app/DesktopShortcut.h"
#include "commands/CommandRig.h"

namespace tappling {
namespace {

TEST(ShortcutCommandsTest, AsksThenWritesOnlyForASavedMacro) {
    struct Case { const char* path; const char* option; bool ok; testing::Calls calls; };
    const std::string noName = "inform " + std::string(kNoFileNameText);
    const std::string asked = "ask " + std::string(shortcutMode("-NODIG")->confirmation);
    const Case cases[] = {
        {"", "-NODIG", true, {noName}},
        {"C:\\m\\a.TPM", "-NODIG", false, {asked}},
        {"C:\\m\\a.TPM", "-NODIG", true, {asked, "shortcut -NODIG"}},
        {"C:\\m\\a.TPM", "-XX", true, {}},  // no such mode
    };
    for (const Case& c : cases) {
        testing::CommandRig rig;
        rig.path = c.path;
        rig.view.okAnswer = c.ok;
        rig.shortcuts.createShortcut(c.option);
        EXPECT_EQ(rig.view.calls, c.calls) << c.path << c.option << c.ok;
    }
}

}  // namespace
}  // namespace tappling
