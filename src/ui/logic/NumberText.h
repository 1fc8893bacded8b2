// Numbers typed into the windows are read like atoi: leading blanks and one sign are
// allowed, the first other character ends the number, no digits give 0. Values beyond
// the int32 range saturate instead of overflowing.
#pragma once

#include <cstdint>
#include <string_view>

namespace tappling {

int32_t parseLeadingInt(std::string_view text);

}  // namespace tappling
