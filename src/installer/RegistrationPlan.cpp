#include "installer/RegistrationPlan.h"

namespace tappling::installer {
namespace {

constexpr std::string_view kCommandTail = " %1";
constexpr std::string_view kRandomOption = "-NODR";
constexpr std::string_view kAutoOption = "-NODIG";
constexpr std::u16string_view kRandomCaption = u"ランダム自動実行";
constexpr std::u16string_view kAutoCaption = u"自動実行";

std::string joined(std::string_view a, std::string_view b, std::string_view c = {},
                   std::string_view d = {}) {
    std::string text;
    text.reserve(a.size() + b.size() + c.size() + d.size());
    text.append(a).append(b).append(c).append(d);
    return text;
}

// A program path with a blank is quoted in commands: unquoted, the started program takes
// only the text up to the first blank for its own name and the rest for its arguments.
std::string commandProgram(const std::string& programPath) {
    if (programPath.find_first_of(" \t") == std::string::npos) return programPath;
    return '"' + programPath + '"';
}

}  // namespace

std::optional<std::string> programDirectory(std::string_view modulePath, const CodePage& codePage) {
    const std::size_t lastSeparator = lastPathSeparator(modulePath, codePage);
    if (lastSeparator == std::string_view::npos) return std::nullopt;
    return std::string(modulePath.substr(0, lastSeparator));
}

std::vector<RegistryValue> registrationValues(std::string_view directory, const CodePage& codePage) {
    const std::string progId(kProgId);
    const std::string program = joined(directory, "\\", kProgramFileName);
    const std::string command = commandProgram(program) + std::string(kCommandTail);
    return {
        {std::string(kExtensionKey), progId},
        {progId, progId},
        {progId + "\\shell\\open\\command", command},
        {progId + "\\DefaultIcon", joined(directory, "\\", kIconFileName)},
        {progId + "\\shell\\randameopen\\command", command + std::string(kRandomOption)},
        {progId + "\\shell\\randameopen", codePage.fromUtf16(kRandomCaption)},
        {progId + "\\shell\\nodlg\\command", command + std::string(kAutoOption)},
        {progId + "\\shell\\nodlg", codePage.fromUtf16(kAutoCaption)},
    };
}

RegistrationResult registerFileType(Registry& registry, std::string_view directory,
                                    const CodePage& codePage) {
    // A readable mapping to anything else belongs to another program; a missing or
    // unreadable one is ours to write.
    const std::optional<std::string> owner = registry.readDefault(std::string(kExtensionKey));
    if (owner && *owner != kProgId) return RegistrationResult::OwnedByOther;

    for (const RegistryValue& value : registrationValues(directory, codePage)) {
        if (value.text.size() > kMaxValueBytes) continue;
        registry.writeDefault(value.key, value.text);  // one failed write must not stop the rest
    }
    return RegistrationResult::Registered;
}

}  // namespace tappling::installer
