#include "net/session_cookie.h"

#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "net/raw_http_server.h"
#include "net/session_requests.h"

namespace hosting::net {
namespace {

using testing::HttpReply;
using testing::RawHttpServer;
using testing::Reply;

// Every answer sets a=N and b=N together, so a whole cookie text always pairs equal numbers.
bool Whole(const std::string& cookies) {
  static const std::regex kPair(R"(a=(\d+); b=\1)");
  return std::regex_match(cookies, kPair);
}

TEST(SessionCookieTest, ConcurrentRequestsReadAndReplaceItWhole) {
  constexpr int kWorkers = 16;
  constexpr int kRequests = 200;
  std::atomic<int> issued{0};
  std::atomic<int> tornSent{0};
  RawHttpServer server([&](const std::string& request) {
    const std::size_t at = request.find("\r\nCookie: ");
    if (at == std::string::npos ||
        !Whole(request.substr(at + 10, request.find("\r\n", at + 10) - at - 10))) {
      ++tornSent;
    }
    const std::string n = std::to_string(++issued);
    return Reply{
        HttpReply("200 OK", {"Set-Cookie: a=" + n + "; Path=/", "Set-Cookie: b=" + n}, "ok")};
  });
  SessionCookie session;
  session.Replace("a=0; b=0");
  std::atomic<int> failed{0};
  std::atomic<int> tornRead{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&, w] {
      for (int i = 0; i < kRequests; ++i) {
        const std::string answer =
            w % 2 == 0
                ? WinHttpWithSession(
                      {.url = server.Url("/api"), .method = kMethodPost, .body = "k=v"}, session)
                : WinInetWithSession({.url = server.Url("/page")}, session);
        failed += answer != "ok";
        tornRead += !Whole(session.Read());
      }
    });
  }
  for (auto& worker : workers) {
    worker.join();
  }
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(tornSent, 0);
  EXPECT_EQ(tornRead, 0);
  EXPECT_EQ(issued, kWorkers * kRequests);
  EXPECT_TRUE(Whole(session.Read())) << session.Read();
}

TEST(SessionCookieTest, FailedRequestLeavesItAlone) {
  SessionCookie session;
  session.Replace("sid=1");
  const std::string url = testing::ClosedUrl();
  EXPECT_EQ(WinHttpWithSession({.url = url}, session), "");
  EXPECT_EQ(session.Read(), "sid=1");

  RawHttpServer server(
      [](const std::string&) { return Reply{HttpReply("200 OK", {"Set-Cookie: sid=2"}, "")}; });
  WinHttpWithSession({.url = server.Url("/"), .mergeCookies = false}, session);
  EXPECT_EQ(session.Read(), "sid=1");
  WinInetWithSession({.url = server.Url("/")}, session);
  EXPECT_EQ(session.Read(), "sid=2");
}

}  // namespace
}  // namespace hosting::net
