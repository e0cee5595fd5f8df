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
  // GET /<pair> sets that cookie; GET /hop redirects to /p, setting hop=1.
  RawHttpServer server([](const std::string& request) {
    const std::string pair = request.substr(5, request.find(' ', 5) - 5);
    return Reply{pair == "hop" ? HttpReply("302 Found", {"Set-Cookie: hop=1", "Location: /p"}, "")
                               : HttpReply("200 OK", {"Set-Cookie: " + pair + "; Path=/"}, "")};
  });
  const auto sent = [&](const std::string& pair, std::string* cookies = nullptr) {
    WinInetRequest({.url = server.Url("/" + pair), .cookies = cookies});
    return CookieLine(server.LastRequest());
  };
  EXPECT_EQ(sent("sid=abc"), "");
  // A fresh thread's handle first uses the store, then passes cookies: those neither read nor
  // fill the store, nor do a WinHttp call's.
  std::thread([&] {
    std::string jar = "x=1", empty, winHttpJar = "y=1";
    EXPECT_EQ(sent("p=1") + "|" + sent("other=2", &jar) + sent("third=3", &empty),
              " sid=abc;| x=1;");
    WinHttpRequest({.url = server.Url("/fourth=4"), .cookies = &winHttpJar});
    EXPECT_EQ(CookieLine(server.LastRequest()), " y=1;");
  }).join();
  // Without cookies a WinHttp call has a store of its own: a redirect's cookie goes on, no further.
  WinHttpRequest({.url = server.Url("/hop")});
  EXPECT_EQ(CookieLine(server.LastRequest()), " hop=1;");
  const std::string line = sent("p=2");  // in the store's own order
  EXPECT_TRUE(line == " sid=abc; p=1;" || line == " p=1; sid=abc;") << line;
}

TEST(SessionCookieTest, ConcurrentRequestsReadAndReplaceItWholeAndOnlyWhenMerged) {
  // Every answer sets a=N and b=N together, so a whole cookie text always pairs equal numbers.
  static const std::regex kWhole(R"( ?a=(\d+); b=\1;?)");
  std::atomic<int> issued{0}, torn{0}, failed{0};
  RawHttpServer server([&](const std::string& request) {
    torn += !std::regex_match(CookieLine(request), kWhole);
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
        torn += !std::regex_match(session.Read(), kWhole);
      }
    });
  }
  workers.clear();
  EXPECT_EQ(failed + torn, 0);
  EXPECT_EQ(issued, 400);
  const std::string before = session.Read();
  EXPECT_EQ(WinHttpWithSession({.url = ClosedUrl()}, session), "");
  WinHttpWithSession({.url = server.Url("/"), .mergeCookies = false}, session);
  EXPECT_EQ(session.Read(), before);
  WinInetWithSession({.url = server.Url("/")}, session);
  EXPECT_EQ(session.Read(), "a=402; b=402");
}

}  // namespace
}  // namespace hosting::net::testing
