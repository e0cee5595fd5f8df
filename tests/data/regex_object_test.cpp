// RegexObject as the flows use it, and bounded work on hostile text.
#include "data/regex_object.h"

#include <gtest/gtest.h>

#include <string>

namespace hosting::data {
namespace {

TEST(RegexObjectTest, OptionsMatchesAndPositions) {
  RegexObject regex;
  int position = 0;
  const auto at = [&](const std::string& text) { return text + "@" + std::to_string(position); };
  const auto count = [&](auto... args) {
    return regex.Create(args...) ? std::to_string(regex.MatchCount()) : "failed";
  };
  EXPECT_EQ(regex.MatchCount() + regex.SubMatchCount(), 0);  // before any Create
  EXPECT_EQ(count("^ab", "AB\nab\nxab"), "2");
  EXPECT_EQ(at(regex.MatchText(2, &position)), "ab@3");
  // Case-sensitive, then not multiline, then not global: one match each.
  EXPECT_EQ(count("^ab", "AB\nab\nxab", true) + count("^ab", "AB\nab", false, false) +
                count("ab", "ab ab", false, true, false),
            "111");
  ASSERT_TRUE(regex.Create("value=#引号(\\w+)#引号", R"(<i value="42">)", false, true, true, true));
  EXPECT_EQ(regex.GetPattern() + regex.SubMatchText(1, 1), "value=\"(\\w+)\"42");
  ASSERT_TRUE(regex.Create(R"((\d+)-(x)?(\d+))", "中 12-34 and 5-x6"));
  EXPECT_EQ(regex.MatchCount() * 10 + regex.SubMatchCount(), 23);
  EXPECT_EQ(at(regex.MatchText(1, &position)), "12-34@4");  // bytes: "中" is three
  EXPECT_EQ(at(regex.SubMatchText(1, 3, &position)), "34@7");
  EXPECT_EQ(at(regex.SubMatchText(1, 2, &position)) + regex.SubMatchText(2, 2), "@-1x");
  for (const auto& [match, sub] : {std::pair{0, 1}, {3, 1}, {1, 0}, {1, 4}, {-1, 1}, {1, -1}})
    EXPECT_EQ(at(regex.SubMatchText(match, sub, &position)), "@-1") << match << "," << sub;
  EXPECT_EQ(regex.MatchText(3), "");
  EXPECT_EQ(count("x*", "axxb"), "4");  // "", "xx", "" before b, "" at the end
  EXPECT_EQ(regex.Replace("-"), "-a--b-");
  EXPECT_EQ(count("", "\xff\xfe"), "3");
  ASSERT_TRUE(regex.Create("(z)", "abc"));
  EXPECT_EQ(regex.MatchCount() + regex.SubMatchCount(), 0);
  EXPECT_EQ(regex.Replace("y"), "abc");
  EXPECT_FALSE(regex.Create("(unclosed", "unclosed"));
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_FALSE(regex.Create("(*UTF)a", "a"));
}

TEST(RegexObjectTest, ReplacementsAndCopies) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create(R"((\w+)@(\w+))", "ann@host, bob@site"));
  EXPECT_EQ(regex.Replace("$2:$1"), "host:ann, site:bob");
  EXPECT_EQ(regex.Replace("[$&]"), "[ann@host], [bob@site]");
  EXPECT_EQ(regex.Replace("$$1 $3 $0 $"), "$1 $3 $0 $, $1 $3 $0 $");
  EXPECT_EQ(regex.Replace("$10"), "ann0, bob0");  // no group 10: $1 then "0"
  RegexObject copy = regex;
  ASSERT_TRUE(regex.Create("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "abcdefghijk"));
  EXPECT_EQ(regex.Replace("$11$10$1"), "kja");
  EXPECT_EQ(copy.MatchText(2) + copy.GetPattern(), R"(bob@site(\w+)@(\w+))");
}

TEST(RegexObjectTest, HostileSubjectsEndInBoundedTime) {
  RegexObject regex;
  std::string page(1'000'000, 'x');
  page.replace(999'000, 19, "<meta charset=big5>");
  ASSERT_TRUE(regex.Create(R"(<meta.+?charset=[^\w]?([-\w]+))", page));
  EXPECT_EQ(regex.SubMatchText(1, 1), "big5");
  EXPECT_EQ(regex.Create(".", std::string(1'000'000, '\n') + "z") ? regex.MatchCount() : -1, 1);
  EXPECT_FALSE(regex.Create("(a+)+$", std::string(100'000, 'a') + "b"));
  EXPECT_EQ(regex.GetPattern() + std::to_string(regex.MatchCount()), "(a+)+$0");
  // Quadratic, then deeply nested groups over a long subject (off the stack).
  EXPECT_FALSE(regex.Create(R"(\w+\s)", std::string(300'000, 'a')));
  EXPECT_FALSE(regex.Create("(?:(a)|b)*$", std::string(1'000'000, 'a') + "\x01"));
}

}  // namespace
}  // namespace hosting::data
