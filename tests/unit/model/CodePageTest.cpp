#include "model/CodePage.h"

#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

// "表" is 0x95 0x5C and "ソ" 0x83 0x5C: their trail bytes are no separators.
TEST(LastPathSeparator, StepsOverDoubleByteCharacters) {
    const Cp932CodePage cp;
    const struct {
        std::string path;
        size_t separator;
    } cases[] = {
        {"", std::string_view::npos},
        {"a.TPM", std::string_view::npos},
        {"C:\\macro\\a.TPM", 8},
        {"C:\\dir\\", 6},
        {"\\\\server\\share", 8},
        {"\x95\x5C", std::string_view::npos},
        {"C:\\\x95\x5C.TPM", 2},
        {"C:\\x\\\x95\x5C\\b.TPM", 7},
        {"C:\\\x83\x5C\x83\x5C", 2},
        {"C:\\a\x95", 2},  // a lead byte at the end stands alone
    };
    for (const auto& c : cases) EXPECT_EQ(lastPathSeparator(c.path, cp), c.separator) << c.path;
}

}  // namespace
}  // namespace tappling
