// Runs with TZ=JST-9 (UTC+9, no daylight saving), so that the computer's own zone differs from
// the platform's UTC+8.
#include "platform/platform_time.h"

#include <gtest/gtest.h>

namespace hosting::platform {
namespace {

constexpr const char* kNewYear2020 = "1577836800";  // 2020-01-01 00:00:00 UTC

TEST(FormatPlatformTimeTest, TenDigitsAreSecondsShownAsUtc8WallTimeWhateverTheLocalZone) {
  EXPECT_EQ(FormatPlatformTime(kNewYear2020), "2020-1-01 08:00:00");
  EXPECT_EQ(FormatPlatformTime("1600000000"), "2020-9-13 20:26:40");
  EXPECT_EQ(FormatPlatformTime("0000000000"), "1970-1-01 08:00:00");
  EXPECT_EQ(FormatPlatformTime("1704038399"), "2023-12-31 23:59:59");  // 15:59:59 UTC
}

TEST(FormatPlatformTimeTest, TwelveHourLocalesGetTheirMarkerWhereTheyPutIt) {
  const ClockConvention english{true, "AM", "PM", false};
  const ClockConvention chinese{true, "上午", "下午", true};
  EXPECT_EQ(FormatPlatformTime("1577883600", english), "2020-1-01 09:00:00 PM");  // 21:00 UTC+8
  EXPECT_EQ(FormatPlatformTime("1577883600", chinese), "2020-1-01 下午 09:00:00");
  EXPECT_EQ(FormatPlatformTime("1577808000", english), "2020-1-01 12:00:00 AM");  // midnight
  EXPECT_EQ(FormatPlatformTime(kNewYear2020, english), "2020-1-01 08:00:00 AM");
  EXPECT_EQ(FormatPlatformTime("1577851200", english), "2020-1-01 12:00:00 PM");  // noon
  const ClockConvention noMarker{true, "", "", false};
  EXPECT_EQ(FormatPlatformTime("1577883600", noMarker), "2020-1-01 09:00:00");
}

TEST(FormatPlatformTimeTest, OtherLengthsAreMillisecondsInTheComputersZoneUnpadded) {
  EXPECT_EQ(FormatPlatformTime("1577836800000"), "2020-1-1 09:00:00");
  EXPECT_EQ(FormatPlatformTime("1577836800999"), "2020-1-1 09:00:00");
  EXPECT_EQ(FormatPlatformTime("1602554400000"), "2020-10-13 11:00:00");
  EXPECT_EQ(FormatPlatformTime("-1000"), "1970-1-1 08:59:59");
  EXPECT_EQ(FormatPlatformTime(" 1577836800000 "), "2020-1-1 09:00:00");
  // The locale's clock does not apply: the engine always wrote a 24-hour time.
  EXPECT_EQ(FormatPlatformTime("1577883600000", {true, "AM", "PM", false}), "2020-1-1 22:00:00");
}

TEST(FormatPlatformTimeTest, EmptyAndUnusableStampsGiveEmptyText) {
  for (const char* stamp : {"", "abcdefghij", "15778368x0", "abc", "1e400", "9000000000000000",
                            "nan", "   ", "12 34"}) {
    EXPECT_EQ(FormatPlatformTime(stamp), "") << stamp;
  }
}

}  // namespace
}  // namespace hosting::platform
