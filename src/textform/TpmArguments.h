// The command line of tpm: a command, one input and the options that command takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tappling {

enum class TpmCommand { Show, Text, TextConv, Build, Check, Help, Version };

struct TpmArguments {
    TpmCommand command = TpmCommand::Help;
    std::string commandName;          // as typed, for its help
    std::string input;                // "-" for standard input
    std::optional<std::string> output;  // -o; "-" for standard output
    bool labels = false;              // text --labels
};

// The arguments, or an error message for the usage (the command's own when it is known).
struct ParsedArguments {
    std::optional<TpmArguments> arguments;
    std::string error;
};

ParsedArguments parseTpmArguments(const std::vector<std::string>& args);

// The usage of every command, or of one ("show", "text", ...) with what it does.
std::string tpmUsage();
std::string tpmCommandHelp(std::string_view command);

}  // namespace tappling
