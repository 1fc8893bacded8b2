// The running program's own full path in the ANSI code page.
#pragma once

#include <optional>
#include <string>

namespace tappling::installer {

// Nothing when the path cannot be had whole (failure, or longer than the buffer):
// a truncated path would name the wrong directory.
std::optional<std::string> ownModulePath();

}  // namespace tappling::installer
