// Where help and the version dialog's links lead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/CodePage.h"

namespace tappling {

// The help document beside the program: programPath cut before its last "\" plus
// "\main.html" (ANSI code-page bytes). Nothing for a path without a folder, which would
// name "\main.html" on the current drive.
std::optional<std::string> helpFilePath(std::string_view programPath, const CodePage& codePage);

// "mailto:" + address + "?subject=" + versionText + " について質問(" + note + ")" (UTF-8).
std::string supportMailUrl(std::string_view address, std::string_view versionText, std::string_view note);

}  // namespace tappling
