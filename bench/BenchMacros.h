// Large macros for the list and file measurements, and the clocks they are timed with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "model/ActionList.h"

namespace tappling::bench {

// count actions of every kind, with comments, texts and conditions, as a recorded
// afternoon would give.
Macro makeLargeMacro(int32_t count);

double nowMs();
// A file path in the temporary folder (ANSI).
std::string tempPath(const char* name);

}  // namespace tappling::bench
