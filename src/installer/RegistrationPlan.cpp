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

// The program path is always quoted in commands: unquoted, a blank in it would end the
// program's name, and the shell need not guess either way.
std::string commandProgram(const std::string& programPath) { return '"' + programPath + '"'; }

// A readable mapping to anything else belongs to another program; a missing or
// unreadable one is ours to write.
bool ownedByOther(Registry& registry) {
    const std::optional<std::string> owner = registry.readDefault(std::string(kExtensionKey));
    return owner && *owner != kProgId;
}

// Writes every value that fits; true when all of them fit and were written. One failed
// write must not stop the rest.
bool writeAll(Registry& registry, const std::vector<RegistryValue>& values) {
    bool allWritten = true;
    for (const RegistryValue& value : values) {
        if (value.text.size() > kMaxValueBytes) {
            allWritten = false;
            continue;
        }
        if (!registry.writeDefault(value.key, value.text)) allWritten = false;
    }
    return allWritten;
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

RegistrationResult registerFileType(const ClassesRegistries& registries, std::string_view directory,
                                    const CodePage& codePage) {
    // The per-user classes take precedence in the shell's merged view, so a per-user
    // mapping must never override another program's machine-wide one either.
    if (ownedByOther(registries.perUser) || ownedByOther(registries.machineWide)) {
        return RegistrationResult::OwnedByOther;
    }
    const std::vector<RegistryValue> values = registrationValues(directory, codePage);
    const bool perUserDone = writeAll(registries.perUser, values);
    writeAll(registries.merged, values);  // needs rights the user may lack: a failure there is harmless
    return perUserDone ? RegistrationResult::Registered : RegistrationResult::PerUserWriteFailed;
}

int exitCodeFor(RegistrationResult result) {
    switch (result) {
    case RegistrationResult::Registered: return 0;
    case RegistrationResult::PerUserWriteFailed: return 1;
    case RegistrationResult::OwnedByOther: return 2;
    }
    return 1;
}

}  // namespace tappling::installer
