#include "net/form_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace hosting::net {
namespace {

using namespace std::string_literals;

TEST(FormValueTest, EncodesTheSeparatorsAndControlCharacters) {
  EXPECT_EQ(FormValue("a&b+c"), "a%26b%2Bc");
  EXPECT_EQ(FormValue("100%=x"), "100%25%3Dx");
  EXPECT_EQ(FormValue("t\tn\r\n\x7F\0."s), "t%09n%0D%0A%7F%00.");
  EXPECT_EQ(FormValue("a b/c?d#e~"), "a b/c?d#e~");
  EXPECT_EQ(FormValue(""), "");
}

TEST(FormValueTest, SendsGbkBytes) {
  EXPECT_EQ(FormValue("\xE4\xB8\xAD\xE6\x96\x87"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(FormValue("\xE2\x82\xAC=1"), "\x80%3D1");
  EXPECT_EQ(FormValue("x\xF0\x9F\x98\x80"), "x?");  // outside GBK
  // Trail bytes in the ASCII range stay as they are: 丂 is 81 40, 乗 is 81 5C (a backslash).
  EXPECT_EQ(FormValue("\xE4\xB8\x82"), "\x81\x40");
}

TEST(PercentEncodeUtf8Test, KeepsOnlyUnreservedLettersDigitsDashAndDot) {
  EXPECT_EQ(PercentEncodeUtf8("Ab-9.z"), "Ab-9.z");
  EXPECT_EQ(PercentEncodeUtf8("a b"), "a%20b");
  EXPECT_EQ(PercentEncodeUtf8("_~/+%"), "%5F%7E%2F%2B%25");
  EXPECT_EQ(PercentEncodeUtf8("\xE5\xBC\xA0\xE4\xB8\x89"), "%E5%BC%A0%E4%B8%89");  // 张三
  EXPECT_EQ(PercentEncodeUtf8(""), "");
}

}  // namespace
}  // namespace hosting::net
