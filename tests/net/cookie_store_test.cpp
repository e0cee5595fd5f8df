// Where cookies live between calls: the process-wide store or a call's own.
#include <gtest/gtest.h>

#include <thread>

#include "net/raw_http_server.h"
#include "net/win_http_request.h"
#include "net/win_inet_request.h"

namespace hosting::net::testing {
namespace {

// The request's Cookie line between blanks and ';', so that " x=1;" finds one whole cookie.
std::string CookieLine(const std::string& request) {
  const std::size_t at = request.find("\r\nCookie: ") + 10;
  return at < 10 ? "" : " " + request.substr(at, request.find("\r\n", at) - at) + ";";
}

TEST(CookieStoreTest, OnlyWinInetWithoutCookiesUsesTheStoreAndAllThreadsShareIt) {
  RawHttpServer server([](const std::string& request) {  // GET /<pair> sets that cookie
    const std::string pair = request.substr(5, request.find(' ', 5) - 5);
    return Reply{HttpReply("200 OK", {"Set-Cookie: " + pair + "; Path=/"}, "")};
  });
  const auto sent = [&](const std::string& pair, std::string* cookies = nullptr) {
    WinInetRequest({.url = server.Url("/" + pair), .cookies = cookies});
    return CookieLine(server.LastRequest());
  };
  EXPECT_EQ(sent("sid=abc"), "");
  // Given cookies (and WinHttp's) neither read nor fill the store.
  std::thread([&] {
    std::string jar = "x=1", empty, winHttpJar = "y=1";
    EXPECT_EQ(sent("p=1") + "|" + sent("other=2", &jar) + sent("third=3", &empty),
              " sid=abc;| x=1;");
    WinHttpRequest({.url = server.Url("/fourth=4"), .cookies = &winHttpJar});
    EXPECT_EQ(CookieLine(server.LastRequest()), " y=1;");
  }).join();
  const std::string line = sent("p=2");  // in the store's own order
  EXPECT_TRUE(line == " sid=abc; p=1;" || line == " p=1; sid=abc;") << line;
}

}  // namespace
}  // namespace hosting::net::testing
