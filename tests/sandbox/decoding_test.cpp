// The small decoders that every request goes through.

#include <gtest/gtest.h>

#include "sandbox/cookie_header.h"
#include "sandbox/form_body.h"
#include "sandbox/platform_time.h"

namespace sandbox {
namespace {

TEST(FormBody, DecodesEscapesAndKeepsRawBytes) {
  const auto form = FormFields::Parse("a=1%262&b=x+y&c=%d5%c5&d&&=v&e=%zz%4");
  EXPECT_EQ(form.Raw("a"), "1&2");
  EXPECT_EQ(form.Raw("b"), "x y");
  EXPECT_EQ(form.Raw("c"), "\xD5\xC5");
  EXPECT_EQ(form.Gbk("c"), "张");
  EXPECT_EQ(form.Raw("d"), "");
  EXPECT_EQ(form.Raw(""), "v");
  EXPECT_EQ(form.Raw("e"), "%zz%4");
  EXPECT_FALSE(form.Raw("missing").has_value());
  EXPECT_EQ(form.Gbk("missing"), "");
}

TEST(FormBody, FirstOfRepeatedFieldsWinsAndEdgesAreSafe) {
  EXPECT_EQ(FormFields::Parse("k=1&k=2").Raw("k"), "1");
  EXPECT_EQ(FormFields::Parse("").size(), 0u);
  EXPECT_EQ(FormFields::Parse("&&&").size(), 0u);
  EXPECT_EQ(PercentDecode("%"), "%");
  EXPECT_EQ(PercentDecode("%4"), "%4");
  EXPECT_EQ(PercentDecode("%41%"), "A%");
  // Invalid GBK and invalid UTF-8 become replacement characters, never bytes that break JSON.
  const auto form = FormFields::Parse("g=%81&u=%FF%FE");
  EXPECT_NE(form.Gbk("g"), "\x81");
  EXPECT_EQ(form.Utf8("u"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CookieHeader, FindsEveryValueOfTheName) {
  EXPECT_EQ(CookieValues("a=1; JSESSIONID=X; b=2; JSESSIONID = Y ", "JSESSIONID"),
            (std::vector<std::string>{"X", "Y"}));
  EXPECT_TRUE(CookieValues("", "JSESSIONID").empty());
  EXPECT_TRUE(CookieValues("JSESSIONID", "JSESSIONID").empty());
  EXPECT_TRUE(CookieValues("XJSESSIONID=1;;", "JSESSIONID").empty());
  EXPECT_EQ(CookieValues("JSESSIONID=", "JSESSIONID"), (std::vector<std::string>{""}));
}

TEST(PlatformMoney, YuanTextAndParsingRoundTrip) {
  EXPECT_EQ(YuanText(0), "0.00");
  EXPECT_EQ(YuanText(1205), "12.05");
  EXPECT_EQ(YuanText(-5), "-0.05");
  EXPECT_EQ(ParseYuan("12"), 1200);
  EXPECT_EQ(ParseYuan("12.3"), 1230);
  EXPECT_EQ(ParseYuan("0.05"), 5);
  for (const char* bad : {"", ".", "1.234", "-1", "1e3", "12.", "99999999999"}) {
    EXPECT_FALSE(ParseYuan(bad).has_value()) << bad;
  }
}

TEST(PlatformTime, DaysStartAtMidnightInChina) {
  // 2020-01-01 00:00:00 UTC+8 is 2019-12-31 16:00:00 UTC.
  const std::int64_t midnight = 1'577'808'000'000;
  EXPECT_EQ(DayStartMs(midnight), midnight);
  EXPECT_EQ(DayStartMs(midnight + kDayMs - 1), midnight);
  EXPECT_EQ(DayStartMs(midnight - 1), midnight - kDayMs);
  EXPECT_EQ(CompactTime(midnight), "20200101000000");
}

}  // namespace
}  // namespace sandbox
