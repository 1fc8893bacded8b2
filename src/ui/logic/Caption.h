// The main window's caption: the product name and the macro file's name, with the
// number of completed passes while a looped run goes on. Paths and results are ANSI
// code-page bytes (the product name is ASCII).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/CodePage.h"

namespace tappling {

inline constexpr std::string_view kProductName = "Tappling";

// The part of path after its last '\' (the whole path without one). A '\' that is the
// trail byte of a double-byte character is not a separator.
std::string fileNameOf(std::string_view path, const CodePage& codePage);

// "Tappling <name>"; a trailing blank when there is no file.
std::string titleText(std::string_view path, const CodePage& codePage);

// " [ passes / loopCount ] Tappling <name>" when looping and limited, " [ passes ] ..."
// when looping without a limit, otherwise titleText.
std::string progressTitleText(int32_t passes, int32_t loopEnabled, int32_t loopLimited, int32_t loopCount,
                              std::string_view path, const CodePage& codePage);

}  // namespace tappling
