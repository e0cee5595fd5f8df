#include "net/codec.h"

#include <gtest/gtest.h>

#include <string>

namespace hosting::net {
namespace {

using namespace std::string_literals;

const std::string kZhongWenUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
const std::string kZhongWenGbk = "\xD6\xD0\xCE\xC4";
const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

TEST(CodecTest, GbkToWideKeepsOrDropsTheTerminator) {
  EXPECT_EQ(GbkToWide("ab"), "a\0b\0\0\0"s);
  EXPECT_EQ(GbkToWide("ab", true), "a\0b\0"s);
  EXPECT_EQ(GbkToWide(""), "");
  EXPECT_EQ(GbkToWide(kZhongWenGbk, true), "\x2D\x4E\x87\x65"s);
}

TEST(CodecTest, WideToTextStopsAtTheFirstNulUnit) {
  EXPECT_EQ(WideToGbk("\x2D\x4E\x87\x65\0\0x\0"s), kZhongWenGbk);
  EXPECT_EQ(WideToGbk("a\0b"s), "a");  // odd last byte ignored
  EXPECT_EQ(WideToText("a\0\0\0"s, kCodePageUtf8), "a");
  EXPECT_EQ(WideToGbk(""), "");
}

TEST(CodecTest, TextToWideAlwaysEndsWithTheTerminator) {
  EXPECT_EQ(TextToWide(kZhongWenUtf8), "\x2D\x4E\x87\x65\0\0"s);
  EXPECT_EQ(TextToWide(kZhongWenGbk, kCodePageGbk), "\x2D\x4E\x87\x65\0\0"s);
  EXPECT_EQ(TextToWide(kZhongWenGbk, kCodePageAnsi), TextToWide(kZhongWenGbk, kCodePageGbk));
  EXPECT_EQ(TextToWide(""), "\0\0"s);
  EXPECT_EQ(TextToWide("caf\xE9", 1252), "c\0a\0f\0\xE9\0\0\0"s);  // other code pages work too
  EXPECT_EQ(WideToText("\xAC\x20"s, 1252), "\x80");
}

TEST(CodecTest, Utf8AndGbkConvertBothWays) {
  EXPECT_EQ(Utf8ToGbk(kZhongWenUtf8), kZhongWenGbk);
  EXPECT_EQ(GbkToUtf8(kZhongWenGbk), kZhongWenUtf8);
  EXPECT_EQ(Utf8ToGbk("\xE2\x82\xAC"), "\x80");  // €
  EXPECT_EQ(GbkToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToGbk("\xE3\x80\x80"), "\xA1\xA1");  // full-width space
  EXPECT_EQ(Utf8ToGbk("a\0b"s), "a\0b"s);            // byte buffers keep their NULs
}

TEST(CodecTest, EveryGbkCharacterSurvivesARoundTrip) {
  std::string all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = GbkToUtf8(gbk);
      if (utf8.find(kReplacement) == std::string::npos) {
        all += gbk;
        ASSERT_EQ(Utf8ToGbk(utf8), gbk) << std::hex << lead << ' ' << trail;
      }
    }
  }
  EXPECT_GT(all.size(), 2 * 21000u);  // GBK holds about 21,900 characters
  EXPECT_EQ(Utf8ToGbk(GbkToUtf8(all)), all);
}

TEST(CodecTest, CharactersOutsideGbkBecomeOneQuestionMarkEach) {
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80"
                      "b"),
            "a?b");                                        // emoji (a surrogate pair inside)
  EXPECT_EQ(Utf8ToGbk("\xE0\xB8\x81\xE0\xB8\x82"), "??");  // Thai
  EXPECT_EQ(WideToGbk("\x3D\xD8\x00\xDE"s), "?");
  EXPECT_EQ(WideToGbk("\x00\xDE"
                      "a\0"s),
            "?a");                             // lone low surrogate
  EXPECT_EQ(WideToGbk("a\0\x3D\xD8"s), "a?");  // lone high surrogate at the end
}

TEST(CodecTest, InvalidUtf8BecomesReplacementOrQuestionMark) {
  EXPECT_EQ(SanitizeUtf8("a\xFF"
                         "b"),
            "a" + kReplacement + "b");
  EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), kReplacement + kReplacement);         // overlong '/'
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80").find("\xED"), std::string::npos);  // encoded surrogate
  EXPECT_EQ(SanitizeUtf8("ok\xE4\xB8"), "ok" + kReplacement);               // cut at the end
  EXPECT_EQ(SanitizeUtf8(kZhongWenUtf8 + "\0x"s), kZhongWenUtf8 + "\0x"s);
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b"),
            "a?b");
  EXPECT_EQ(WideToText("\x00\xDC"s, kCodePageUtf8), kReplacement);
}

TEST(CodecTest, InvalidGbkKeepsTheAsciiAroundIt) {
  EXPECT_EQ(GbkToUtf8("a\xD6"), "a" + kReplacement);      // lone lead byte at the end
  EXPECT_EQ(GbkToUtf8("\xD6 ab"), kReplacement + " ab");  // lead byte before a non-trail byte
  EXPECT_EQ(GbkToUtf8("\xFF" + kZhongWenGbk), kReplacement + kZhongWenUtf8);
  EXPECT_EQ(GbkToWide("\xD6", true), "\xFD\xFF");
}

TEST(CodecTest, CharsetToUtf8DecodesDeclaredCharsets) {
  EXPECT_EQ(CharsetToUtf8(kZhongWenGbk, "gb2312"), kZhongWenUtf8);
  EXPECT_EQ(CharsetToUtf8(kZhongWenGbk, " GBK "), kZhongWenUtf8);
  EXPECT_EQ(CharsetToUtf8("\xA4\xA4\xA4\xE5", "big5"), kZhongWenUtf8);
  EXPECT_EQ(CharsetToUtf8("caf\xE9", "iso-8859-1"), "caf\xC3\xA9");
  EXPECT_EQ(CharsetToUtf8(kZhongWenUtf8 + "\xFF", "utf-8"), kZhongWenUtf8 + kReplacement);
}

TEST(CodecTest, UnknownOrOddCharsetNamesFallBackToUtf8) {
  for (const char* name : {"", "no-such-charset", "gbk//TRANSLIT", "../gbk", "utf-16le;x"}) {
    EXPECT_EQ(CharsetToUtf8(kZhongWenUtf8 + "\xFF", name), kZhongWenUtf8 + kReplacement) << name;
  }
}

TEST(CodecTest, LargeHostileInputsConvertInFull) {
  const std::size_t size = 10u << 20;
  std::string garbage(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    garbage[i] = static_cast<char>(0x80 + i % 0x7F);  // lead and trail bytes, never ASCII
  }
  const std::string utf8 = GbkToUtf8(garbage);
  EXPECT_EQ(SanitizeUtf8(utf8), utf8);
  const std::string gbk = Utf8ToGbk(utf8);
  EXPECT_GE(gbk.size(), size / 2);

  // One error per byte: a smaller size keeps the sanitizer runs short.
  const std::string invalid(size / 10, '\xFF');
  EXPECT_EQ(Utf8ToGbk(invalid), std::string(size / 10, '?'));
}

}  // namespace
}  // namespace hosting::net
