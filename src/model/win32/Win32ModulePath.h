// The running program's own full path in the ANSI code page.
#pragma once

#include <optional>
#include <string>

namespace tappling {

// Nothing when the path cannot be had whole: help, shortcuts and registration would
// otherwise point at the wrong place.
std::optional<std::string> ownModulePath();

}  // namespace tappling
