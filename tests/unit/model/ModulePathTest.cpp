#include "model/ModulePath.h"

#include <gtest/gtest.h>

#include <vector>

namespace tappling {
namespace {

struct ModulePathCase {
    uint32_t returnedLength;
    std::optional<std::string> path;
};

TEST(ModulePathTest, OnlyAWholePathIsTaken) {
    const char buffer[8] = {'C', ':', '\\', 'a', '.', 'e', 'x', 'e'};  // as the query left it
    const std::vector<ModulePathCase> cases = {
        {0, std::nullopt},  // the query failed
        {8, std::nullopt},  // filled the buffer: cut
        {9, std::nullopt},
        {7, std::string("C:\\a.ex")},
        {1, std::string("C")},
    };
    for (const ModulePathCase& c : cases) {
        EXPECT_EQ(completeModulePath(buffer, sizeof buffer, c.returnedLength), c.path) << c.returnedLength;
    }
}

}  // namespace
}  // namespace tappling
