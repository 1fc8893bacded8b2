// What Linkery writes to register the macro file type: the extension, its ProgID with
// icon and three verbs, all pointing at Tappling.exe in Linkery's own directory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/Registry.h"
#include "model/CodePage.h"

namespace tappling::installer {

inline constexpr std::string_view kExtensionKey = ".TPM";
inline constexpr std::string_view kProgId = "TapplingFile";
inline constexpr std::string_view kProgramFileName = "Tappling.exe";
inline constexpr std::string_view kIconFileName = "TapplingFile.ico";

// Longest value text (in bytes, without the NUL) that is written; longer ones are skipped.
inline constexpr std::size_t kMaxValueBytes = 255;

struct RegistryValue {
    std::string key;   // below the classes root
    std::string text;  // ANSI bytes
};

// The directory part of a module path (everything before the last path separator),
// or nothing when the path has no separator. Trail bytes of double-byte characters
// that happen to equal '\' are not taken for separators.
std::optional<std::string> programDirectory(std::string_view modulePath, const CodePage& codePage);

// The eight default values in the order they are written. In the commands the program
// path is always quoted. The verb captions are converted to the ANSI code page here,
// so their byte lengths are the written ones.
std::vector<RegistryValue> registrationValues(std::string_view directory, const CodePage& codePage);

// The three views of the file classes. Only the per-user one can be written without
// administrator rights; the merged one is written too because a shell that reads only
// the machine-wide classes still finds the verbs there.
struct ClassesRegistries {
    Registry& perUser;      // HKEY_CURRENT_USER\Software\Classes
    Registry& machineWide;  // HKEY_LOCAL_MACHINE\Software\Classes, only read
    Registry& merged;       // HKEY_CLASSES_ROOT
};

enum class RegistrationResult {
    Registered,         // all eight per-user values are in place
    PerUserWriteFailed, // a per-user value failed or was too long; the rest were still written
    OwnedByOther,       // the extension names another ProgID somewhere: nothing was written
};

RegistrationResult registerFileType(const ClassesRegistries& registries, std::string_view directory,
                                    const CodePage& codePage);

// Linkery's exit code: 0 registered, 1 a per-user write failed, 2 owned by another program.
int exitCodeFor(RegistrationResult result);

}  // namespace tappling::installer
