// The registered verbs, as the shell runs them, must reach Tappling's command-line
// grammar with the macro path and the intended start mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "fakes/Cp932CodePage.h"
#include "installer/RegistrationPlan.h"

namespace tappling::installer {
namespace {

std::string commandOf(const std::string& key, const std::string& dir, const CodePage& codePage) {
    for (const RegistryValue& v : registrationValues(dir, codePage)) {
        if (v.key == key) return v.text;
    }
    return {};
}

// What the started program is given as its own arguments: the shell puts the document
// in for %1, and the program's start-up code steps over its name (up to the closing
// quote, or up to the first blank) and the blanks after it.
std::string argumentsAsStarted(std::string command, const std::string& document) {
    command.replace(command.find("%1"), 2, document);
    std::size_t i = 0;
    if (!command.empty() && command[0] == '"') {
        i = command.find('"', 1);
        i = i == std::string::npos ? command.size() : i + 1;
    } else {
        while (i < command.size() && command[i] != ' ' && command[i] != '\t') ++i;
    }
    while (i < command.size() && (command[i] == ' ' || command[i] == '\t')) ++i;
    return command.substr(i);
}

struct VerbCase {
    std::string key;
    int32_t autoRunMode;
    int32_t randomMode;
};

TEST(RegisteredCommandTest, EachVerbStartsTapplingInItsMode) {
    const Cp932CodePage codePage;
    const std::vector<VerbCase> verbs = {
        {"TapplingFile\\shell\\open\\command", 0, 0},
        {"TapplingFile\\shell\\nodlg\\command", 1, 0},
        {"TapplingFile\\shell\\randameopen\\command", 1, 1},
    };
    const std::vector<std::string> dirs = {"C:\\Tools", "C:\\Program Files\\Tappling"};
    const std::vector<std::string> documents = {"C:\\m\\a.TPM", "C:\\My Macros\\\x8E\xA9\x93\xAE.TPM"};
    for (const std::string& dir : dirs) {
        for (const std::string& document : documents) {
            for (const VerbCase& verb : verbs) {
                const std::string arguments = argumentsAsStarted(commandOf(verb.key, dir, codePage), document);
                const StartOptions options = parseCommandLine(arguments, codePage);
                SCOPED_TRACE(dir + " | " + arguments);
                EXPECT_EQ(options.path, document);
                EXPECT_EQ(options.autoRunMode, verb.autoRunMode);
                EXPECT_EQ(options.randomMode, verb.randomMode);
            }
        }
    }
}

}  // namespace
}  // namespace tappling::installer
