#include "net/cookie_jar.h"

#include <gtest/gtest.h>

namespace hosting::net {
namespace {

TEST(ExtractSetCookiesTest, TakesThePairOfEachExactSetCookieLine) {
  EXPECT_EQ(ExtractSetCookies("HTTP/1.1 200 OK\r\n"
                              "Set-Cookie: JSESSIONID=ab12; Path=/x; HttpOnly\r\n"
                              "set-cookie: a=1\r\n"
                              "X-Set-Cookie: b=2\r\n"
                              "Set-Cookie:   lang=zh  \r\n"
                              "Set-Cookie: gone=deleted; Max-Age=0\r\n\r\n"),
            "JSESSIONID=ab12; lang=zh; gone=deleted");
  EXPECT_EQ(ExtractSetCookies("HTTP/1.1 200 OK\r\n\r\n"), "");
  EXPECT_EQ(ExtractSetCookies(std::string(5000, ' ')), "");
}

TEST(MergeCookiesTest, FreshCookiesComeFirstThenTheJarsOthers) {
  struct Case {
    std::string jar, fresh, merged;
  };
  for (const auto& c : std::vector<Case>{
           {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1"},
           {"a=1; b=2", "b=deleted", "a=1"},
           {"a = 1", "", "a=1"},
           {"", "x=1; x=1", "x=1"},
           {"", "", ""},
           {"a=1;", "b=2", "b=2; a=1"},
           {"a=1; a=2", "", "a=1"},
           {"flag; a=1", "flag=1", "flag=1; a=1"},
           {"\xE3\x80\x80s=1", "t = 2", "t=2; s=1"},
           {"a=\xE3\x80 \x80"
            "b",
            "", "a=b"},  // a blank that forms when one is removed
       }) {
    std::string jar = c.jar;
    std::string fresh = c.fresh;
    EXPECT_EQ(MergeCookies(jar, fresh), c.merged) << c.jar << " | " << c.fresh;
    EXPECT_EQ(jar, c.merged);
    EXPECT_EQ(fresh.find(' '), std::string::npos);
  }
}

}  // namespace
}  // namespace hosting::net
