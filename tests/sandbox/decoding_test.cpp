// The decoders every request goes through: form bodies (GBK values), paging, amounts, days.
#include <gtest/gtest.h>

#include "sandbox/form_body.h"
#include "sandbox/platform_time.h"

namespace sandbox {
namespace {

// GBK values and missing fields show in the flows and the fuzz target.
TEST(FormBody, DecodesEscapesKeepsRawBytesAndTakesTheFirstOfRepeatedFields) {
  const auto form = FormFields::Parse("a=1%262&b=x+y&d&&=v&e=%zz%4&a=2&g=%81&u=%FF%FE");
  EXPECT_EQ(*form.Raw("a") + "|" + *form.Raw("b") + "|" + *form.Raw("d") + "|" + *form.Raw("") +
                "|" + *form.Raw("e"),
            "1&2|x y||v|%zz%4");
  // Invalid GBK and invalid UTF-8 become replacement characters, never bytes that break JSON.
  EXPECT_EQ(form.Gbk("g"), "\xEF\xBF\xBD");
  EXPECT_EQ(form.Utf8("u"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(FormBody, PagingClampsPageAndSize) {
  const std::tuple<const char*, std::int64_t, std::int64_t> pages[] = {
      {"page=3&size=5", 10, 5},
      {"page=0&size=0", 0, 1},
      {"page=-2&size=x", 0, 20},
      {"page=2&size=999", 100, 100},
      {"page=99999999999&size=100", 99'999'900, 100}};
  for (const auto& [body, offset, limit] : pages) {
    const Paging paging = PagingOf(FormFields::Parse(body), 20, 100);
    EXPECT_EQ(std::pair(paging.offset, paging.limit), std::pair(offset, limit)) << body;
  }
}

// Amounts as text show in the flows, amounts the admin's settlement form takes in its tests.
TEST(PlatformMoney, OddAmountsAreRefusedAndDaysStartAtMidnightInChina) {
  for (const char* bad : {"", ".", "1.234", "-1", "1e3", "12.", "1000000001", " 1"})
    EXPECT_FALSE(ParseYuan(bad).has_value()) << bad;
  const std::int64_t midnight = 1'577'808'000'000;  // 2020-01-01 00:00 in UTC+8
  EXPECT_EQ(
      std::tuple(DayStartMs(midnight), DayStartMs(midnight + kDayMs - 1), DayStartMs(midnight - 1)),
      std::tuple(midnight, midnight, midnight - kDayMs));
}

}  // namespace
}  // namespace sandbox
