#include "net/text_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace hosting::net {
namespace {

using namespace std::string_literals;

const std::string kZhongWen = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(TextBetweenTest, CutsBetweenMarkers) {
  EXPECT_EQ(TextBetween("x=<b>1</b>", "<b>", "</b>"), "1");
  EXPECT_EQ(TextBetween("x=<b>1", "<b>", "</b>"), "");
  EXPECT_EQ(TextBetween("x=1</b>", "<b>", "</b>"), "");
  EXPECT_EQ(TextBetween("<b></b>", "<b>", "</b>"), "");
  EXPECT_EQ(TextBetween("a=\"" + kZhongWen + "\";", "a=", ";"), "\"" + kZhongWen + "\"");
}

TEST(TextBetweenTest, QuoteMarkerStandsForADoubleQuote) {
  EXPECT_EQ(TextBetween("x a=\"1\" b=\"2\"", "a=#引号", "#引号"), "1");
  EXPECT_EQ(TextBetween("<p id=\"v\">ok</p>", "id=#引号v#引号>", "<"), "ok");
  EXPECT_EQ(TextBetween("#引号x#引号", "#引号", "#引号"), "");  // the text itself is not rewritten
}

TEST(TextBetweenTest, StartPositionAndCase) {
  const std::string text = "<B>1</B><b>2</b>";
  EXPECT_EQ(TextBetween(text, "<b>", "</b>"), "2");
  EXPECT_EQ(TextBetween(text, "<b>", "</b>", 1, true), "1");
  EXPECT_EQ(TextBetween(text, "<b>", "</b>", 2, true), "2");
  EXPECT_EQ(TextBetween(text, "<b>", "</b>", 0, true), "1");
  EXPECT_EQ(TextBetween(text, "<b>", "</b>", 100), "");
  // Case folding leaves the bytes of Chinese characters alone.
  EXPECT_EQ(TextBetween("\xE4\xB8\xAD[x]", "\xE4\xB8\xAD[", "]", 1, true), "x");
  EXPECT_EQ(TextBetween("\xC4\xB8\xAD[x]", "\xE4\xB8\xAD[", "]", 1, true), "");
}

TEST(TextBeforeTest, CutsUpToTheMarker) {
  EXPECT_EQ(TextBefore("Set-Cookie: a=1", ": "), "Set-Cookie");
  EXPECT_EQ(TextBefore("Set-Cookie a=1", ": "), "");
  EXPECT_EQ(TextBefore("a;b;c", ";", 3), "a;b");
  EXPECT_EQ(TextBefore("a;b;c", ";", -5), "a");
  EXPECT_EQ(TextBefore("PATH=x", "path", 1, true), "");
  EXPECT_EQ(TextBefore("x PATH=x", "path", 1, true), "x ");
}

TEST(UrlDecodeTest, DecodesHexPairsOnly) {
  EXPECT_EQ(UrlDecode("a%2Fb%2fc+d"), "a/b/c+d");
  EXPECT_EQ(UrlDecode("100%"), "100%");
  EXPECT_EQ(UrlDecode("%4"), "%4");
  EXPECT_EQ(UrlDecode("%G1%%41"), "%G1%A");
  EXPECT_EQ(UrlDecode("%00x"), "\0x"s);
}

TEST(UrlDecodeTest, Utf8FlagSanitizesTheDecodedBytes) {
  EXPECT_EQ(UrlDecode("%E4%B8%AD%E6%96%87", true), kZhongWen);
  EXPECT_EQ(UrlDecode("%E4%B8%AD%E6%96%87"), kZhongWen);
  EXPECT_EQ(UrlDecode("%D6%D0", true), kReplacement + kReplacement);
  EXPECT_EQ(UrlDecode("%D6%D0"), "\xD6\xD0");
}

TEST(UnescapeUnicodeTest, DecodesEscapes) {
  EXPECT_EQ(UnescapeUnicode("\\u4e2d\\u6587"), kZhongWen);
  EXPECT_EQ(UnescapeUnicode("%u4E2D%u6587"), kZhongWen);
  EXPECT_EQ(UnescapeUnicode("%41%e9"), "A\xC3\xA9");  // %XX is U+00XX
  EXPECT_EQ(UnescapeUnicode("\\ud83d\\ude00!"), "\xF0\x9F\x98\x80!");
  EXPECT_EQ(UnescapeUnicode(kZhongWen + "\\u0021"), kZhongWen + "!");
}

TEST(UnescapeUnicodeTest, KeepsWhatIsNotAnEscape) {
  EXPECT_EQ(UnescapeUnicode("line\\u4e2d\r\nit's \xE2\x80\x99ok\xE2\x80\x99"),
            "line\xE4\xB8\xAD\r\nit's \xE2\x80\x99ok\xE2\x80\x99");
  EXPECT_EQ(UnescapeUnicode("\rC:\\users\\u12 %u12G %"), "\rC:\\users\\u12 %u12G %");
  EXPECT_EQ(UnescapeUnicode("\\ud83d x \\ude00"), kReplacement + " x " + kReplacement);
  EXPECT_EQ(UnescapeUnicode("bad\xFF"), "bad" + kReplacement);
}

TEST(UnescapeUnicodeTest, HandlesLargeInputs) {
  std::string text;
  while (text.size() < (10u << 20)) {
    text += "\\u4e2d%u6587x";
  }
  const std::string decoded = UnescapeUnicode(text);
  EXPECT_EQ(decoded.size(), text.size() / 13 * 7);
  EXPECT_EQ(decoded.substr(0, 7), kZhongWen + "x");
}

TEST(UnicodeBytesToTextTest, ReadsUtf16le) {
  EXPECT_EQ(UnicodeBytesToText("\x2D\x4E\x87\x65"s), kZhongWen);
  EXPECT_EQ(UnicodeBytesToText("a\0b\0c"s), "ab");
  EXPECT_EQ(UnicodeBytesToText("a\0\0\0b\0"s), "a");
  EXPECT_EQ(UnicodeBytesToText("\x3D\xD8\x00\xDE"s), "\xF0\x9F\x98\x80");
  EXPECT_EQ(UnicodeBytesToText(""), "");
}

TEST(RandomTest, RangeBoundsAndDegenerateRanges) {
  std::array<int, 5> seen{};
  for (int i = 0; i < 5000; ++i) {
    const std::int32_t v = RandomInRange(1, 5);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 5);
    ++seen[static_cast<std::size_t>(v - 1)];
  }
  EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n > 0; }));
  EXPECT_EQ(RandomInRange(7, 3), 7);
  EXPECT_EQ(RandomInRange(-4, -4), -4);
  bool wide = false;  // maximum 0 reaches past 15 bits
  for (int i = 0; i < 100 && !wide; ++i) {
    wide = RandomInRange(0, 0) > 32767;
  }
  EXPECT_TRUE(wide);
  EXPECT_GE(RandomInRange(std::numeric_limits<std::int32_t>::min(), -1),
            std::numeric_limits<std::int32_t>::min());
}

TEST(RandomTest, DigitsAreUniform) {
  constexpr int kDraws = 200000;
  const std::string digits = RandomDigits(kDraws);
  ASSERT_EQ(digits.size(), static_cast<std::size_t>(kDraws));
  std::array<int, 10> counts{};
  for (const char c : digits) {
    ASSERT_TRUE(c >= '0' && c <= '9');
    ++counts[static_cast<std::size_t>(c - '0')];
  }
  double chiSquare = 0;
  for (const int n : counts) {
    chiSquare += (n - kDraws / 10.0) * (n - kDraws / 10.0) / (kDraws / 10.0);
  }
  EXPECT_LT(chiSquare, 40.0);  // 9 degrees of freedom: p < 1e-5 beyond 40
  // Neighbouring digits are independent: a digit equals the one before a tenth of the time.
  int repeats = 0;
  for (std::size_t i = 1; i < digits.size(); ++i) {
    repeats += digits[i] == digits[i - 1] ? 1 : 0;
  }
  EXPECT_NEAR(repeats, kDraws / 10, 600);
}

TEST(RandomTest, DigitKinds) {
  EXPECT_EQ(RandomDigits(16).size(), 16u);
  EXPECT_EQ(RandomDigits(0), "");
  EXPECT_EQ(RandomDigits(-3), "");
  const std::string odd = RandomDigits(500, 1);
  const std::string even = RandomDigits(500, 7);
  EXPECT_EQ(odd.find_first_not_of("13579"), std::string::npos);
  EXPECT_EQ(even.find_first_not_of("02468"), std::string::npos);
  for (const char c : "13579"s) {
    EXPECT_NE(odd.find(c), std::string::npos) << c;
  }
  for (const char c : "02468"s) {
    EXPECT_NE(even.find(c), std::string::npos) << c;
  }
}

}  // namespace
}  // namespace hosting::net
