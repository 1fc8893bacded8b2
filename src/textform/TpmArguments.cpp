#include "textform/TpmArguments.h"

#include <algorithm>
#include <array>

namespace tappling {

namespace {

struct CommandInfo {
    std::string_view name;
    TpmCommand command;
    bool takesOutput;
    bool takesLabels;
    std::string_view synopsis;
    std::string_view description;
};

constexpr std::array<CommandInfo, 5> kCommands{{
    {"show", TpmCommand::Show, false, false, "tpm show FILE.TPM", "the list as Tappling shows it"},
    {"text", TpmCommand::Text, true, true, "tpm text [--labels] FILE.TPM [-o TEXT]",
     "the macro as text; --labels names jump targets with labels"},
    {"build", TpmCommand::Build, true, false, "tpm build TEXT [-o FILE.TPM]",
     "the text back into a macro file (without -o: TEXT's name with .TPM; for - standard output)"},
    {"check", TpmCommand::Check, false, false, "tpm check FILE.TPM|TEXT",
     "what would surprise at run time; exit 0 clean, 1 warnings, 2 errors"},
    {"textconv", TpmCommand::TextConv, false, false, "tpm textconv FILE.TPM",
     "the macro as text for git diff: what can be read, then why the rest cannot; always exit 0"},
}};

const CommandInfo* findCommand(std::string_view name) {
    for (const CommandInfo& info : kCommands)
        if (info.name == name) return &info;
    return nullptr;
}

std::string line(const CommandInfo& info) {
    std::string out(info.synopsis);
    out.resize(std::max<size_t>(out.size() + 2, 42), ' ');
    return out + std::string(info.description) + "\n";
}

ParsedArguments usageError(std::string message) { return {std::nullopt, std::move(message)}; }

ParsedArguments only(TpmCommand command, std::string name = {}) {
    TpmArguments arguments;
    arguments.command = command;
    arguments.commandName = std::move(name);
    return {std::move(arguments), {}};
}

}  // namespace

std::string tpmUsage() {
    std::string out = "usage:\n";
    for (const CommandInfo& info : kCommands) out += "  " + line(info);
    out += "  tpm --help | --version | COMMAND --help\n"
           "FILE, TEXT or OUT \"-\" is standard input or output. Texts are UTF-8.\n";
    return out;
}

std::string tpmCommandHelp(std::string_view command) {
    const CommandInfo* info = findCommand(command);
    return info ? "usage: " + line(*info) : tpmUsage();
}

ParsedArguments parseTpmArguments(const std::vector<std::string>& args) {
    if (args.empty()) return usageError("tpm: no command given");
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return only(TpmCommand::Help);
    if (args.size() == 1 && args[0] == "--version") return only(TpmCommand::Version);
    const CommandInfo* info = findCommand(args[0]);
    if (!info) return usageError("tpm: unknown command \"" + args[0] + "\"");

    TpmArguments parsed;
    parsed.command = info->command;
    parsed.commandName = args[0];
    bool inputGiven = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") return only(TpmCommand::Help, args[0]);
        if (arg == "-o" && info->takesOutput) {
            if (parsed.output) return usageError("tpm " + args[0] + ": -o is given twice");
            if (i + 1 >= args.size()) return usageError("tpm " + args[0] + ": -o needs a file name");
            parsed.output = args[++i];
        } else if (arg == "--labels" && info->takesLabels) {
            parsed.labels = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("tpm " + args[0] + ": unknown option \"" + arg + "\"");
        } else if (inputGiven) {
            return usageError("tpm " + args[0] + ": one file at a time (\"" + arg + "\" is one too many)");
        } else {
            parsed.input = arg;
            inputGiven = true;
        }
    }
    if (!inputGiven) return usageError("tpm " + args[0] + ": name the file to read (or - for standard input)");
    return {parsed, {}};
}

}  // namespace tappling
