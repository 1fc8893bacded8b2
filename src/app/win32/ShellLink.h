// Shell link (".lnk") files through COM, and the desktop folder from the shell. Paths
// and texts are ANSI code-page bytes.
#pragma once

#include <optional>
#include <string>

namespace tappling {

// Creates or replaces the link file: target with its arguments and description; working
// directory, icon, hot key and show command are left to the system. true when saved.
bool writeShellLink(const std::string& linkPath, const std::string& description, const std::string& arguments,
                    const std::string& target);

// The file-system path of the user's desktop folder; nullopt when the shell has none.
std::optional<std::string> desktopFolderPath();

// The running program's full path; nothing when it cannot be had whole.
std::optional<std::string> programPath();

}  // namespace tappling
