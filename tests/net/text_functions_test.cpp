// The exact answers of the transport's text functions (text_fuzz checks any bytes).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "net/answer_text.h"
#include "net/codec.h"
#include "net/cookie_jar.h"
#include "net/form_encoding.h"
#include "net/text_helpers.h"

namespace hosting::net {
namespace {

using namespace std::string_literals;

const std::string kZh = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文 in UTF-8
const std::string kGbk = "\xD6\xD0\xCE\xC4";         // and in GBK
const std::string kWide = "\x2D\x4E\x87\x65"s;       // and in UTF-16LE
const std::string kBad = "\xEF\xBF\xBD";             // U+FFFD

TEST(CodecTest, ConvertsBetweenGbkAndUtf8) {
  EXPECT_EQ(Utf8ToGbk("\xE2\x82\xAC" + kZh + "\xE3\x80\x80"), "\x80" + kGbk + "\xA1\xA1");
  EXPECT_EQ(Utf8ToGbk("a\0b"s), "a\0b"s);  // byte buffers keep their NULs
  // Outside GBK: one '?' per character; invalid input: U+FFFD in UTF-8, '?' in GBK.
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80\xE0\xB8\x81\xFF"), "a???");
  EXPECT_EQ(SanitizeUtf8("a\xFF\xC0\xAF" + kZh + "\0x\xE4\xB8"s),
            "a" + kBad + kBad + kBad + kZh + "\0x"s + kBad);
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80").find("\xED"), std::string::npos);  // a surrogate
  EXPECT_EQ(GbkToUtf8("\xFF" + kGbk + "\x80\xD6 a\xD6"),
            kBad + kZh + "\xE2\x82\xAC" + kBad + " a" + kBad);
  for (const auto& [bytes, charset] :
       {std::pair{kGbk, "gb2312"}, {kGbk, " GBK "}, {"\xA4\xA4\xA4\xE5"s, "big5"}})
    EXPECT_EQ(CharsetToUtf8(bytes, charset), kZh) << charset;
  for (const char* name : {"utf-8", "", "no-such", "gbk//TRANSLIT", "../gbk", "utf-16le;x"})
    EXPECT_EQ(CharsetToUtf8(kZh + "\xFF", name), kZh + kBad) << name;
}

TEST(TextHelpersTest, CuttersAndDecodersKeepWhatIsNotTheirs) {
  EXPECT_EQ(TextBetween("x=<b>1</b>", "<b>", "</b>"), "1");
  EXPECT_EQ(TextBetween("x=<b>1", "<b>", "</b>") + TextBetween("x=1</b>", "<b>", "</b>"), "");
  EXPECT_EQ(TextBetween("x a=\"1\" b", "a=#引号", "#引号"), "1");  // stands for a double quote
  EXPECT_EQ(TextBetween("#引号x#引号", "#引号", "#引号"), "");     // only in the markers
  const std::string text = "<B>1</B><b>2</b>";
  EXPECT_EQ(TextBetween(text, "<b>", "</b>"), "2");
  EXPECT_EQ(TextBetween(text, "<b>", "</b>", 0, true), "1");
  EXPECT_EQ(TextBetween(text, "<b>", "</b>", 2, true), "2");
  EXPECT_EQ(TextBetween("\xC4\xB8\xAD[x]", "\xE4\xB8\xAD[", "]", 1, true), "");  // ASCII only
  EXPECT_EQ(UrlDecode("a%2Fb%2fc+d 100% %4 %G1%%41"), "a/b/c+d 100% %4 %G1%A");
  EXPECT_EQ(UrlDecode("%E4%B8%AD%E6%96%87", true), kZh);
  EXPECT_EQ(UrlDecode("%D6%D0", true) + UrlDecode("%D6%D0"), kBad + kBad + "\xD6\xD0");
  EXPECT_EQ(UnescapeUnicode("\\u4e2d%u6587%41%e9\\ud83d\\ude00!"),
            kZh + "A\xC3\xA9\xF0\x9F\x98\x80!");
  EXPECT_EQ(UnescapeUnicode("l\\u4e2d\r\nit's \xE2\x80\x99"), "l\xE4\xB8\xAD\r\nit's \xE2\x80\x99");
  EXPECT_EQ(UnescapeUnicode("\rC:\\users\\u12 %u12G %"), "\rC:\\users\\u12 %u12G %");
  EXPECT_EQ(UnescapeUnicode("\\ud83d x \\ude00bad\xFF"), kBad + " x " + kBad + "bad" + kBad);
  EXPECT_EQ(UnescapeUnicode("a\\u0000b"), "a");
  EXPECT_EQ(UnicodeBytesToText(kWide + "\x3D\xD8\x00\xDE"s + "a\0b"s),
            kZh + "\xF0\x9F\x98\x80" + "a");
}

TEST(TextHelpersTest, FormValuesPercentEncodingAndAnswerText) {
  EXPECT_EQ(FormValue("a&b+c 100%=x/?#~"), "a%26b%2Bc 100%25%3Dx/?#~");
  EXPECT_EQ(FormValue("t\tn\r\n\x7F\0."s), "t%09n%0D%0A%7F%00.");
  EXPECT_EQ(FormValue(kZh + "\xE2\x82\xAC=x\xF0\x9F\x98\x80"), kGbk + "\x80%3Dx?");
  EXPECT_EQ(FormValue("\xE4\xB8\x82"), "\x81\x40");  // a trail byte in the ASCII range stays
  EXPECT_EQ(PercentEncodeUtf8("Ab-9.z _~/+%\xE5\xBC\xA0"), "Ab-9.z%20%5F%7E%2F%2B%25%E5%BC%A0");
  // The answer text ends at a NUL and decodes a charset declared early enough.
  const auto page = [](std::string_view meta, std::string_view text) {
    return "<head>" + std::string(meta) + "</head>" + std::string(text);
  };
  for (const auto& [meta, in, out] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {R"(<meta charset="utf-8">)", kZh + "\xFF", kZh + kBad},
           {R"(<meta content="text/html; charset=gbk">)", kGbk, kZh},
           {"<META CHARSET='GB2312'>", kGbk, kZh},
           {std::string(1100, ' ') + "<meta charset=gbk>", kGbk, kGbk}})  // too far in
    EXPECT_EQ(AnswerText(page(meta, in)), page(meta, out)) << meta;
  EXPECT_EQ(AnswerText("ab\0cd"s), "ab");
}

TEST(CookieJarTest, SetCookieLinesAndMerging) {
  EXPECT_EQ(ExtractSetCookies("HTTP/1.1 200 OK\r\nSet-Cookie: JSESSIONID=ab12; Path=/x\r\n"
                              "set-cookie: a=1\r\nX-Set-Cookie: b=2\r\nSet-Cookie:   lang=zh  \r\n"
                              "Set-Cookie: gone=deleted; Max-Age=0\r\n\r\n"),
            "JSESSIONID=ab12; lang=zh; gone=deleted");
  // The last row: removing a blank must not form a full-width one.
  for (const auto& [before, added, merged] :
       std::vector<std::tuple<std::string, std::string, std::string>>{
           {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1"},
           {"a=1; b=2", "b=deleted", "a=1"},
           {"a = 1;", "", "a=1"},
           {"flag; a=1", "flag=1", "flag=1; a=1"},
           {"\xE3\x80\x80s=1", "t = 2", "t=2; s=1"},
           {"a=\xE3\x80 \x80\x62", "", "a=b"}}) {
    std::string jar = before, fresh = added;
    EXPECT_EQ(MergeCookies(jar, fresh) + "|" + jar, merged + "|" + merged)
        << before << " | " << added;
    EXPECT_EQ(fresh.find(' '), std::string::npos);
  }
}

// A flood cannot grow the jar past 180 cookies nor bring one over 4 KiB; what it held stays.
TEST(CookieJarTest, AFloodKeepsTheCookiesHeldAndTheBounds) {
  std::string rest;  // held cookies that the fresh ones leave alone
  for (int i = 1; i < 177; ++i)
    rest += "; o" + std::to_string(i) + "=1";
  std::string jar = "o0=1; r=1; r=1; r=1" + rest;  // 178 held (a repeat takes no room): two more
  const std::string fits = "ok=" + std::string(kMaxCookieBytes - 3, 'k');
  std::string fresh =
      "o0=2; " + fits + "; big=" + std::string(kMaxCookieBytes - 2, 'b') + "; n1=1; n2=1; r=3";
  EXPECT_EQ(MergeCookies(jar, fresh), "o0=2; " + fits + "; n1=1; r=3" + rest);
}

// Every value of a range comes up, each kind of digit has its set.
TEST(RandomTest, RangesAndDigitKinds) {
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i)
    seen.insert(RandomInRange(1, 5));
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(RandomInRange(7, 3) + RandomInRange(-4, -4) + RandomDigits(-3).size(), 3);
  for (const auto& [kind, digits] : {std::pair{0, "0123456789"s}, {1, "13579"s}, {7, "02468"s}}) {
    const std::string drawn = RandomDigits(500, kind);
    EXPECT_EQ(std::set<char>(drawn.begin(), drawn.end()),
              std::set<char>(digits.begin(), digits.end()));
    EXPECT_EQ(drawn.size(), 500u);
  }
}

}  // namespace
}  // namespace hosting::net
