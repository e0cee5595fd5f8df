// Runs with TZ=JST-9 (UTC+9, no daylight saving), so that the computer's own zone differs from
// the platform's UTC+8.
#include <gtest/gtest.h>

#include "platform/platform_time.h"

namespace hosting::platform {
namespace {

TEST(FormatPlatformTimeTest, SecondsAreUtc8MillisecondsLocalAndOnlySecondsTakeTheLocalesClock) {
  const ClockConvention h24{}, english{true, "AM", "PM", false},
      chinese{true, "上午", "下午", true}, noMarker{true, "", "", false};
  const struct {
    const char* stamp;
    ClockConvention clock;
    const char* shown;
  } kCases[] = {
      {"1577836800", h24, "2020-1-01 08:00:00"},  // 2020-01-01 00:00:00 UTC
      {"1577883600", english, "2020-1-01 09:00:00 PM"},
      {"1577883600", chinese, "2020-1-01 下午 09:00:00"},
      {"1577808000", english, "2020-1-01 12:00:00 AM"},  // midnight
      {"1577851200", english, "2020-1-01 12:00:00 PM"},  // noon
      {"1577883600", noMarker, "2020-1-01 09:00:00"},
      {"1577836800000", h24, "2020-1-1 09:00:00"},
      {"-1000", h24, "1970-1-1 08:59:59"},
      {" 1577836800000 ", h24, "2020-1-1 09:00:00"},
      {"1577883600000", english, "2020-1-1 22:00:00"},  // the engine wrote 24-hour times
  };
  for (const auto& c : kCases)
    EXPECT_EQ(FormatPlatformTime(c.stamp, c.clock), c.shown) << c.stamp;
  for (const char* stamp :
       {"", "abcdefghij", "15778368x0", "1e400", "9000000000000000", "nan", "   ", "12 34"})
    EXPECT_EQ(FormatPlatformTime(stamp), "") << stamp;
}

}  // namespace
}  // namespace hosting::platform
