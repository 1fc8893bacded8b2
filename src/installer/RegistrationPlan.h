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
// path is quoted when it holds a blank, and only then. The verb captions are
// converted to the ANSI code page here, so their byte lengths are the written ones.
std::vector<RegistryValue> registrationValues(std::string_view directory, const CodePage& codePage);

enum class RegistrationResult {
    Registered,    // every value that fits was written (write failures are ignored)
    OwnedByOther,  // the extension names another ProgID: nothing was written
};

RegistrationResult registerFileType(Registry& registry, std::string_view directory,
                                    const CodePage& codePage);

}  // namespace tappling::installer
