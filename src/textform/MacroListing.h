// The macro as the main window lists it: the file's version, the loop settings and the nine
// columns, as UTF-8 text aligned for a terminal (wide characters take two cells).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ActionList.h"
#include "textform/CodePageText.h"

namespace tappling {

std::string listMacro(const Macro& macro, int32_t version, const CodePageText& codePage);

// Terminal cells the UTF-8 text takes: East Asian wide and full-width characters take two.
size_t displayWidth(std::string_view utf8);

}  // namespace tappling
