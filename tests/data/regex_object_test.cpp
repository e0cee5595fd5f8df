#include "data/regex_object.h"

#include <gtest/gtest.h>

#include <string>

namespace hosting::data {
namespace {

constexpr std::string_view kCharsetPattern = R"(<meta.+?charset=[^\w]?([-\w]+))";

std::string CharsetOf(std::string_view page) {
  RegexObject regex;
  regex.Create(kCharsetPattern, page.substr(0, 1024));
  return regex.SubMatchText(1, 1);
}

TEST(RegexObjectCharset, FindsTheDeclaredCharset) {
  EXPECT_EQ(CharsetOf("<html><head><META http-equiv=\"Content-Type\" "
                      "content=\"text/html; charset=gbk\"></head>"),
            "gbk");
  EXPECT_EQ(CharsetOf("<head>\r\n<meta charset=\"GB2312\">\r\n<title>\xD6\xD0</title>"), "GB2312");
  EXPECT_EQ(CharsetOf("<meta name=x>\n<meta charset='utf-8'/>"), "utf-8");
  EXPECT_EQ(CharsetOf("<html><head><title>\xff\xfe no meta</title></head>"), "");
  // A declaration beyond the first 1,024 bytes is not looked for.
  EXPECT_EQ(CharsetOf(std::string(1100, ' ') + "<meta charset=gbk>"), "");
}

TEST(RegexObjectCreate, DefaultsIgnoreCaseMultilineGlobal) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create("^ab", "AB\nab\nxab"));
  EXPECT_EQ(regex.MatchCount(), 2);
  int position = 0;
  EXPECT_EQ(regex.MatchText(2, &position), "ab");
  EXPECT_EQ(position, 3);

  ASSERT_TRUE(regex.Create("^ab", "AB\nab\nxab", /*caseSensitive=*/true));
  EXPECT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.MatchText(1, &position), "ab");
  EXPECT_EQ(position, 3);
  ASSERT_TRUE(regex.Create("^ab", "AB\nab", false, /*multiline=*/false));
  EXPECT_EQ(regex.MatchCount(), 1);
  ASSERT_TRUE(regex.Create("ab", "ab ab ab", false, true, /*global=*/false));
  EXPECT_EQ(regex.MatchCount(), 1);
}

TEST(RegexObjectCreate, QuoteSubstitution) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create("value=#引号(\\w+)#引号", R"(<input value="42">)", false, true, true,
                           /*quoteSubstitution=*/true));
  EXPECT_EQ(regex.GetPattern(), "value=\"(\\w+)\"");
  EXPECT_EQ(regex.SubMatchText(1, 1), "42");
  ASSERT_TRUE(regex.Create("#引号", R"(say "hi")"));
  EXPECT_EQ(regex.MatchCount(), 0);
}

TEST(RegexObjectMatches, NumbersPositionsAndRanges) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create(R"((\d+)-(x)?(\d+))", "中 12-34 and 5-x6"));
  EXPECT_EQ(regex.MatchCount(), 2);
  EXPECT_EQ(regex.SubMatchCount(), 3);
  int position = 0;
  EXPECT_EQ(regex.MatchText(1, &position), "12-34");
  EXPECT_EQ(position, 4);  // bytes: "中" is three
  EXPECT_EQ(regex.SubMatchText(1, 3, &position), "34");
  EXPECT_EQ(position, 7);
  EXPECT_EQ(regex.SubMatchText(1, 2, &position), "");  // took no part
  EXPECT_EQ(position, -1);
  EXPECT_EQ(regex.SubMatchText(2, 2), "x");
  for (const auto& [match, sub] : {std::pair{0, 1}, {3, 1}, {1, 0}, {1, 4}, {-1, 1}, {1, -1}}) {
    EXPECT_EQ(regex.SubMatchText(match, sub, &position), "") << match << "," << sub;
    EXPECT_EQ(position, -1);
  }
  EXPECT_EQ(regex.MatchText(3), "");
}

TEST(RegexObjectMatches, NoMatchAndInvalidPattern) {
  RegexObject regex;
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_EQ(regex.GetPattern(), "");
  EXPECT_EQ(regex.Replace("x"), "");
  ASSERT_TRUE(regex.Create("(z)", "abc"));
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_EQ(regex.SubMatchCount(), 0);
  EXPECT_EQ(regex.SubMatchText(1, 1), "");
  EXPECT_EQ(regex.Replace("y"), "abc");
  EXPECT_FALSE(regex.Create("(unclosed", "unclosed"));
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_EQ(regex.MatchText(1), "");
  EXPECT_FALSE(regex.Create("(*UTF)a", "a"));
}

TEST(RegexObjectMatches, EmptyMatchesAdvance) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create("x*", "axxb"));
  EXPECT_EQ(regex.MatchCount(), 4);  // "", "xx", "" before b, "" at the end
  EXPECT_EQ(regex.MatchText(2), "xx");
  EXPECT_EQ(regex.Replace("-"), "-a--b-");
  ASSERT_TRUE(regex.Create("", "\xff\xfe"));
  EXPECT_EQ(regex.MatchCount(), 3);
}

TEST(RegexObjectReplace, GroupReferences) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create(R"((\w+)@(\w+))", "ann@host, bob@site"));
  EXPECT_EQ(regex.Replace("$2:$1"), "host:ann, site:bob");
  EXPECT_EQ(regex.Replace("[$&]"), "[ann@host], [bob@site]");
  EXPECT_EQ(regex.Replace("$$1 $3 $0 $"), "$1 $3 $0 $, $1 $3 $0 $");
  EXPECT_EQ(regex.Replace("$10"), "ann0, bob0");  // no group 10: $1 then "0"
  ASSERT_TRUE(regex.Create("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "abcdefghijk"));
  EXPECT_EQ(regex.Replace("$11$10$1"), "kja");
  ASSERT_TRUE(regex.Create("o", "foo", false, true, /*global=*/false));
  EXPECT_EQ(regex.Replace("0"), "f0o");
}

TEST(RegexObjectCopy, CopiesKeepTheirResult) {
  RegexObject first;
  ASSERT_TRUE(first.Create("b+", "abbc"));
  RegexObject copy = first;
  ASSERT_TRUE(first.Create("c", "ccc"));
  EXPECT_EQ(copy.MatchText(1), "bb");
  EXPECT_EQ(copy.GetPattern(), "b+");
  EXPECT_EQ(first.MatchCount(), 3);
  RegexObject moved = std::move(copy);
  EXPECT_EQ(moved.MatchText(1), "bb");
}

TEST(RegexObjectHostile, LongSubjects) {
  std::string page(1'000'000, 'x');
  page.replace(999'000, 19, "<meta charset=big5>");
  RegexObject regex;
  ASSERT_TRUE(regex.Create(kCharsetPattern, page));
  EXPECT_EQ(regex.SubMatchText(1, 1), "big5");
  ASSERT_TRUE(regex.Create(".", std::string(1'000'000, '\n') + "z"));
  EXPECT_EQ(regex.MatchCount(), 1);
  std::string words;
  while (words.size() < 1'000'000) {
    words += "word ";
  }
  ASSERT_TRUE(regex.Create(R"(\w+)", words));
  EXPECT_EQ(regex.MatchCount(), 200'000);
}

TEST(RegexObjectHostile, CatastrophicBacktrackingGivesUp) {
  const std::string subject = std::string(100'000, 'a') + "b";
  RegexObject regex;
  EXPECT_FALSE(regex.Create("(a+)+$", subject));
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_EQ(regex.GetPattern(), "(a+)+$");
  EXPECT_FALSE(regex.Create("(a|aa)+$", subject));
  // Quadratic: every start position runs through the rest of the letters.
  EXPECT_FALSE(regex.Create(R"(\w+\s)", std::string(300'000, 'a')));
  // Deeply nested groups over a long subject stay off the stack.
  EXPECT_FALSE(regex.Create("(?:(a)|b)*$", std::string(1'000'000, 'a') + "\x01"));
}

}  // namespace
}  // namespace hosting::data
