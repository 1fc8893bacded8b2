#include "ui/logic/NumberText.h"

#include <gtest/gtest.h>

namespace tappling {
namespace {

struct NumberCase {
    const char* text;
    int32_t value;
};

class LeadingInt : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingInt, ReadsLikeAtoi) { EXPECT_EQ(parseLeadingInt(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Texts, LeadingInt,
                         ::testing::Values(NumberCase{"", 0}, NumberCase{"abc", 0}, NumberCase{"10", 10},
                                           NumberCase{"  42", 42}, NumberCase{"\t-7x", -7},
                                           NumberCase{"+5", 5}, NumberCase{"12abc3", 12}, NumberCase{"- 3", 0},
                                           NumberCase{"--3", 0}, NumberCase{"007", 7},
                                           NumberCase{"2147483647", 2147483647},
                                           NumberCase{"-2147483648", INT32_MIN},
                                           NumberCase{"99999999999999999999", INT32_MAX},
                                           NumberCase{"-99999999999999999999", INT32_MIN}));

}  // namespace
}  // namespace tappling
