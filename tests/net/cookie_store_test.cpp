// The process-wide cookie store of the WinINet engine, and the cookies of a single WinHttp call.
// One program of its own: the store outlives every test that uses it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "net/raw_http_server.h"
#include "net/win_http_request.h"
#include "net/win_inet_request.h"

namespace hosting::net {
namespace {

using testing::HttpReply;
using ::testing::Not;
using testing::RawHttpServer;
using testing::Reply;

// GET /set/<pair> answers with that cookie, GET /hop redirects to /page setting hop=1.
Reply CookieSetter(const std::string& request) {
  constexpr std::string_view kSet = "GET /set/";
  if (request.starts_with(kSet)) {
    const std::string pair =
        request.substr(kSet.size(), request.find(' ', kSet.size()) - kSet.size());
    return {HttpReply("200 OK", {"Set-Cookie: " + pair + "; Path=/"}, "set")};
  }
  if (request.starts_with("GET /hop ")) {
    return {HttpReply("302 Found", {"Set-Cookie: hop=1; Path=/", "Location: /page"}, "")};
  }
  return {HttpReply("200 OK", {}, "page")};
}

// The value of the request's Cookie line; "" when it has none.
std::string CookieLine(const std::string& request) {
  const std::size_t at = request.find("\r\nCookie: ");
  if (at == std::string::npos) {
    return "";
  }
  const std::size_t start = at + 10;
  return request.substr(start, request.find("\r\n", start) - start);
}

// The cookies of a Cookie line; the store is shared by all tests of this program.
std::vector<std::string> Cookies(std::string_view line) {
  std::vector<std::string> cookies;
  for (std::size_t start = 0; start < line.size();) {
    const std::size_t end = std::min(line.find("; ", start), line.size());
    cookies.emplace_back(line.substr(start, end - start));
    start = end + 2;
  }
  return cookies;
}

MATCHER_P(HasCookie, pair, "") {
  const auto cookies = Cookies(arg);
  return std::find(cookies.begin(), cookies.end(), pair) != cookies.end();
}

class CookieStoreTest : public ::testing::Test {
 protected:
  std::string InetCookieLine(const std::string& path, std::string* cookies = nullptr) {
    WinInetRequest({.url = server.Url(path), .cookies = cookies});
    return CookieLine(server.LastRequest());
  }

  RawHttpServer server{CookieSetter};
};

TEST_F(CookieStoreTest, RequestsWithoutCookiesShareOneStoreAcrossThreads) {
  EXPECT_THAT(InetCookieLine("/set/sid=abc"), Not(HasCookie("sid=abc")));
  EXPECT_THAT(InetCookieLine("/page"), HasCookie("sid=abc"));
  std::string other;
  std::thread([&] { other = InetCookieLine("/page"); }).join();
  EXPECT_THAT(other, HasCookie("sid=abc"));
}

TEST_F(CookieStoreTest, PassedCookiesNeitherReadNorFillTheStore) {
  InetCookieLine("/set/kept=1");
  // A fresh thread whose handle first uses the store, then serves requests that pass cookies.
  std::thread([&] {
    EXPECT_THAT(InetCookieLine("/page"), HasCookie("kept=1"));
    std::string jar = "x=1";
    EXPECT_EQ(InetCookieLine("/set/other=2", &jar), "x=1");
    EXPECT_EQ(jar, "other=2; x=1");
    std::string empty;
    EXPECT_EQ(InetCookieLine("/set/third=3", &empty), "");
    std::string winHttpJar = "y=1";
    WinHttpRequest({.url = server.Url("/set/fourth=4"), .cookies = &winHttpJar});
    EXPECT_EQ(CookieLine(server.LastRequest()), "y=1");
  }).join();
  const std::string line = InetCookieLine("/page");
  EXPECT_THAT(line, HasCookie("kept=1"));
  for (const char* pair : {"other=2", "third=3", "fourth=4"}) {
    EXPECT_THAT(line, Not(HasCookie(pair)));
  }
}

TEST_F(CookieStoreTest, WinHttpWithoutCookiesKeepsThemForOneCallOnly) {
  InetCookieLine("/set/inet=1");
  std::string status;
  EXPECT_EQ(WinHttpRequest({.url = server.Url("/hop"), .status = &status}), "page");
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(CookieLine(server.LastRequest()), "hop=1");
  WinHttpRequest({.url = server.Url("/page")});
  EXPECT_EQ(CookieLine(server.LastRequest()), "");
  const std::string line = InetCookieLine("/page");
  EXPECT_THAT(line, HasCookie("inet=1"));
  EXPECT_THAT(line, Not(HasCookie("hop=1")));
}

}  // namespace
}  // namespace hosting::net
