#include "core/time_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace zav {
namespace {

TEST(FormatTimeText, WritesEachFieldWithItsWidth) {
    EXPECT_EQ(formatTimeText(0), "00:00:00:000");
    EXPECT_EQ(formatTimeText(3600000 + 2 * 60000 + 3000 + 4.6), "01:02:03:004");
    EXPECT_EQ(formatTimeText(59999), "00:00:59:999");
    EXPECT_EQ(formatTimeText(5025.9), "00:00:05:025");
    EXPECT_EQ(formatTimeText(10 * 3600000.0 + 10 * 60000 + 10 * 1000 + 10), "10:10:10:010");
    EXPECT_EQ(formatTimeText(1), "00:00:00:001");
    EXPECT_EQ(formatTimeText(100), "00:00:00:100");
    EXPECT_EQ(formatTimeText(99), "00:00:00:099");
    EXPECT_EQ(formatTimeText(9 * 3600000.0 + 9 * 60000 + 9 * 1000 + 9), "09:09:09:009");
    EXPECT_EQ(formatTimeText(60000), "00:01:00:000");
}

TEST(FormatTimeText, NegativeTimesReadAsZero) {
    EXPECT_EQ(formatTimeText(-1), "00:00:00:000");
    EXPECT_EQ(formatTimeText(-0.5), "00:00:00:000");
    EXPECT_EQ(formatTimeText(-7261001), "00:00:00:000");
    // Where a double no longer holds whole milliseconds the rest of the hour must not
    // come out positive.
    EXPECT_EQ(formatTimeText(-1.8299692538680408e+22), "00:00:00:000");
    EXPECT_EQ(formatTimeText(-1.829917012111989e+22), "00:00:00:000");
}

TEST(FormatTimeText, HoursGrowBeyondTwoDigits) {
    EXPECT_EQ(formatTimeText(100 * 3600000.0), "100:00:00:000");
    EXPECT_EQ(formatTimeText(123456 * 3600000.0 + 59 * 60000 + 59 * 1000 + 999.999), "123456:59:59:999");
    // Past 2^31 hours, which would overflow a 32-bit conversion.
    EXPECT_EQ(formatTimeText(3e9 * 3600000.0), "3000000000:00:00:000");
}

TEST(FormatTimeText, HugeAndNonFiniteValuesStayDefined) {
    const std::string huge = formatTimeText(1e300);
    EXPECT_GT(huge.size(), 290u);
    EXPECT_EQ(huge.substr(huge.size() - 10), ":00:00:000");
    EXPECT_EQ(formatTimeText(std::numeric_limits<double>::infinity()), "00:00:00:000");
    EXPECT_EQ(formatTimeText(std::numeric_limits<double>::quiet_NaN()), "00:00:00:000");
    EXPECT_EQ(formatTimeText(-1e300), "00:00:00:000");
}

}  // namespace
}  // namespace zav
