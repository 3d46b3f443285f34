#include "platform/DecimalNumber.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>

using tornavel::ParseNonNegativeDecimal;

// Times and counts from the command line and the environment: the whole text
// is the number, or it is refused.
TEST(DecimalNumber, OnlyAWholeNonNegativeNumberPasses) {
    EXPECT_EQ(ParseNonNegativeDecimal("0"), 0);
    EXPECT_EQ(ParseNonNegativeDecimal("1234567890"), 1234567890);
    EXPECT_EQ(ParseNonNegativeDecimal("9223372036854775807"), INT64_MAX);
    for (const char* refused : {"", "-1", "12s", "1e3", "0x10", "9223372036854775808"}) {
        EXPECT_EQ(ParseNonNegativeDecimal(refused), std::nullopt) << refused;
    }
}
