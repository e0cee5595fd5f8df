// RegexObject as the flows use it, and bounded work on hostile text.
#include "data/regex_object.h"

#include <gtest/gtest.h>

#include <string>

namespace hosting::data {
namespace {

// What the charset lookup reads: matches under the default options (case ignored, multiline,
// global), sub-matches, and "" or 0 for what is not there.
TEST(RegexObjectTest, MatchesAndSubMatches) {
  RegexObject regex;
  const auto count = [&](std::string_view pattern, std::string_view subject) {
    return regex.Create(pattern, subject) ? std::to_string(regex.MatchCount()) : "failed";
  };
  EXPECT_EQ(regex.MatchCount() + regex.SubMatchCount(), 0);  // before any Create
  EXPECT_EQ(count("^ab", "AB\nab\nxab"), "2");
  ASSERT_TRUE(regex.Create(R"((\d+)-(x)?(\d+))", "中 12-34 and 5-x6"));
  EXPECT_EQ(regex.MatchCount() * 10 + regex.SubMatchCount(), 23);
  EXPECT_EQ(regex.MatchText(1) + regex.SubMatchText(1, 3) + regex.SubMatchText(2, 2), "12-3434x");
  for (const auto& [match, sub] : {std::pair{0, 1}, {3, 1}, {1, 0}, {1, 4}, {-1, 1}, {1, -1}})
    EXPECT_EQ(regex.SubMatchText(match, sub), "") << match << "," << sub;
  EXPECT_EQ(regex.SubMatchText(1, 2) + regex.MatchText(3), "");
  EXPECT_EQ(count("x*", "axxb"), "4");    // "", "xx", "" before b, "" at the end
  EXPECT_EQ(count("", "\xff\xfe"), "3");  // bytes, not UTF-8
  EXPECT_EQ(count("(z)", "abc") + std::to_string(regex.SubMatchCount()), "00");
  EXPECT_EQ(count("(unclosed", "unclosed") + std::to_string(regex.MatchCount()), "failed0");
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
