// Where cookies live between calls: the WinINet engine's process-wide store, a WinHttp call's own
// store, and the session cookie that the platform requests share.
#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "net/raw_http_server.h"
#include "net/session_requests.h"

namespace hosting::net::testing {
namespace {

// The request's Cookie line between blanks and ';', so that " x=1;" finds one whole cookie.
std::string CookieLine(const std::string& request) {
  const std::size_t at = request.find("\r\nCookie: ") + 10;
  return at < 10 ? "" : " " + request.substr(at, request.find("\r\n", at) - at) + ";";
}

TEST(CookieStoreTest, OnlyWinInetWithoutCookiesUsesTheStoreAndAllThreadsShareIt) {
  // GET /<pair> sets that cookie; GET /hop redirects to /page, setting hop=1.
  RawHttpServer server([](const std::string& request) {
    const std::string pair = request.substr(5, request.find(' ', 5) - 5);
    return Reply{pair == "hop" ? HttpReply("302 Found", {"Set-Cookie: hop=1", "Location: /p"}, "")
                               : HttpReply("200 OK", {"Set-Cookie: " + pair + "; Path=/"}, "")};
  });
  const auto inetCookies = [&](const std::string& pair, std::string* cookies = nullptr) {
    WinInetRequest({.url = server.Url("/" + pair), .cookies = cookies});
    return CookieLine(server.LastRequest());
  };
  EXPECT_EQ(inetCookies("sid=abc"), "");
  // A fresh thread whose handle first uses the store, then serves requests that pass cookies:
  // those neither read nor fill the store.
  std::thread([&] {
    EXPECT_EQ(inetCookies("p=1"), " sid=abc;");
    std::string jar = "x=1", empty;
    EXPECT_EQ(inetCookies("other=2", &jar) + inetCookies("third=3", &empty), " x=1;");
    std::string winHttpJar = "y=1";
    WinHttpRequest({.url = server.Url("/fourth=4"), .cookies = &winHttpJar});
    EXPECT_EQ(CookieLine(server.LastRequest()), " y=1;");
  }).join();
  // Without cookies, a WinHttp call has a store of its own: a redirect's cookie goes on, no
  // further.
  WinHttpRequest({.url = server.Url("/hop")});
  EXPECT_EQ(CookieLine(server.LastRequest()), " hop=1;");
  const std::string line = inetCookies("p=2");  // in the store's own order
  EXPECT_TRUE(line == " sid=abc; p=1;" || line == " p=1; sid=abc;") << line;
}

// Every answer sets a=N and b=N together, so a whole cookie text always pairs equal numbers.
bool Whole(const std::string& cookies) {
  static const std::regex kPair(R"( ?a=(\d+); b=\1;?)");
  return std::regex_match(cookies, kPair);
}

TEST(SessionCookieTest, ConcurrentRequestsReadAndReplaceItWhole) {
  std::atomic<int> issued{0}, torn{0}, failed{0};
  RawHttpServer server([&](const std::string& request) {
    torn += !Whole(CookieLine(request));
    const std::string n = std::to_string(++issued);
    return Reply{HttpReply("200 OK", {"Set-Cookie: a=" + n, "Set-Cookie: b=" + n}, "ok")};
  });
  SessionCookie session;
  session.Replace("a=0; b=0");
  std::vector<std::jthread> workers;
  for (int w = 0; w < 8; ++w) {
    workers.emplace_back([&, w] {
      for (int i = 0; i < 50; ++i) {
        const std::string url = server.Url("/");
        failed +=
            (w % 2 ? WinInetWithSession({.url = url}, session)
                   : WinHttpWithSession({.url = url, .method = kMethodPost}, session)) != "ok";
        torn += !Whole(session.Read());
      }
    });
  }
  workers.clear();
  EXPECT_EQ(failed + torn, 0);
  EXPECT_EQ(issued, 400);
}

TEST(SessionCookieTest, OnlyAMergedAnswerReplacesIt) {
  SessionCookie session;
  session.Replace("sid=1");
  EXPECT_EQ(WinHttpWithSession({.url = ClosedUrl()}, session), "");
  RawHttpServer server(
      [](const std::string&) { return Reply{HttpReply("200 OK", {"Set-Cookie: sid=2"}, "")}; });
  WinHttpWithSession({.url = server.Url("/"), .mergeCookies = false}, session);
  EXPECT_EQ(session.Read(), "sid=1");
  WinInetWithSession({.url = server.Url("/")}, session);
  EXPECT_EQ(session.Read(), "sid=2");
}

}  // namespace
}  // namespace hosting::net::testing
