// The two request engines over the raw peer: what both promise alike, then each its own way.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "net/engine_under_test.h"
#include "net/http_exchange.h"
#include "net/raw_http_server.h"

namespace hosting::net::testing {
namespace {

Reply Answer(std::string_view body, const std::vector<std::string>& lines = {},
             std::string_view status = "200 OK") {
  return {HttpReply(status, lines, body)};
}

template <typename Engine>
class EngineContractTest : public ::testing::Test {};
TYPED_TEST_SUITE(EngineContractTest, BothEngines);

TYPED_TEST(EngineContractTest, CookiesGoOutAsGivenAndTheAnswersMergeIn) {
  RawHttpServer server([](const std::string&) {
    return Answer("ok", {"Set-Cookie: JSESSIONID=new; Path=/", "Set-Cookie: gone=deleted"});
  });
  std::string jar = "a = 1; gone=x; JSESSIONID=old", cookiesOut;
  typename TypeParam::Params params{
      .url = server.Url("/"), .cookies = &jar, .cookiesOut = &cookiesOut};
  EXPECT_EQ(TypeParam::Request(params), "ok");
  EXPECT_NE(server.LastRequest().find("\r\nCookie: a = 1; gone=x; JSESSIONID=old\r\n"),
            std::string::npos);
  EXPECT_EQ(jar + "|" + cookiesOut, "JSESSIONID=new; a=1|JSESSIONID=new; a=1");
}

TYPED_TEST(EngineContractTest, RedirectsAreFollowedWithTheCallersCookies) {
  RawHttpServer server([](const std::string& request) {
    return request.starts_with("GET /next")
               ? Answer("arrived")
               : Answer("", {"Location: /next", "Set-Cookie: hop=1"}, "302 Found");
  });
  std::string jar = "a=1";
  EXPECT_EQ(TypeParam::Request({.url = server.Url("/start"), .cookies = &jar}), "arrived");
  EXPECT_NE(server.LastRequest().find("\r\nCookie: a=1\r\n"), std::string::npos);
  EXPECT_EQ(jar, "a=1");  // the final answer set no cookie
}

TYPED_TEST(EngineContractTest, CutAnswerKeepsWhatCameAndNoConnectionGivesNothing) {
  RawHttpServer server([](const std::string&) {
    return Reply{"HTTP/1.1 200 OK\r\nSet-Cookie: s=1\r\nContent-Length: 100\r\n\r\n0123",
                 Reply::Then::kClose};
  });
  std::string jar;
  EXPECT_EQ(TypeParam::Request({.url = server.Url("/"), .cookies = &jar}), "0123");
  EXPECT_EQ(jar, "s=1");
  EXPECT_EQ(TypeParam::Request({.url = ClosedUrl(), .cookies = &jar}), "");
  EXPECT_EQ(jar, "s=1");
}

const std::string kHttpAccept =
    "Accept: text/html, application/xhtml+xml, */*\r\nAccept-Encoding: gbk, GB2312\r\n"
    "Accept-Language: zh-cn\r\n";
const std::string kHttpLines =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n" +
    kHttpAccept;
const std::string kForm = "Content-Type: application/x-www-form-urlencoded\r\n";
const std::string kCache = "Cache-Control: no-cache\r\n";

// A whole time-out in which no byte moves ends the exchange, also once a POST body went out: an
// answer 3.5 s late is never taken (an averaged low-speed limit once held a POST for 4-7 s).
TYPED_TEST(EngineContractTest, AnAnswerLaterThanTheTimeOutIsNotTaken) {
  std::promise<void> ended;
  RawHttpServer slow([late = ended.get_future().share()](const std::string&) {
    late.wait_for(std::chrono::milliseconds(3500));
    return Reply{HttpReply("200 OK", {}, "late"), Reply::Then::kClose};
  });
  std::vector<std::jthread> requests;
  for (const std::int32_t method : {kMethodGet, kMethodPost}) {
    requests.emplace_back([&slow, method] {
      typename TypeParam::Params params{.url = slow.Url("/"), .method = method, .body = "k=v"};
      params.timeoutSeconds = 1;
      EXPECT_EQ(TypeParam::Request(params), "");
    });
  }
  requests.clear();
  ended.set_value();
  EXPECT_EQ(PhaseTimeoutMs(0) + PhaseTimeoutMs(-4) + PhaseTimeoutMs(5), 65000);
}

TEST(WinHttpTest, SendsItsLinesInOrderAndCallerLinesReplaceThemByKey) {
  RawHttpServer server([](const std::string&) { return Answer("hi"); });
  std::string sid = "sid=1";
  const std::string form(3000, 'f');  // goes at once, without waiting for "100 Continue"
  for (const auto& [params, line, rest] :
       std::vector<std::tuple<WinHttpParams, std::string, std::string>>{
           {{.url = "?q=1#part"}, "GET /?q=1", kHttpLines + kCache + "\r\n"},
           {{.url = "/p", .method = kMethodPost, .body = form, .cookies = &sid},
            "POST /p",
            kHttpLines + kForm + kCache + "Cookie: sid=1\r\nContent-Length: 3000\r\n\r\n" + form},
           {{.url = "/", .method = kMethodPost, .headers = "user-agent: X"},
            "POST /",
            "user-agent: X\r\n" + kHttpAccept + kForm + kCache + "Content-Length: 0\r\n\r\n"},
           {{.url = "/",
           .method = kMethodPost,
           .body = "x",
           .headers = "content-type: text/plain\r\nCookie: own=1"},
            "POST /",
            "Content-Type: text/plain\r\nCookie: own=1\r\n" + kHttpLines + kCache +
                "Content-Length: 1\r\n\r\nx"}}) {
    WinHttpParams sent = params;
    sent.url = "http://" + server.HostPort() + params.url;
    EXPECT_EQ(WinHttpRequest(sent), "hi") << params.url;
    EXPECT_EQ(server.LastRequest(), server.RequestHead(line + " HTTP/1.1") + rest) << params.url;
  }
  WinHttpRequest({.url = "HTTP://user:pw@" + server.HostPort() + "/a%20b c"});
  EXPECT_TRUE(server.LastRequest().starts_with("GET /a%20b%20c HTTP/1.1\r\n"));
}

// Each way an exchange fails has its own status message.
TEST(WinHttpTest, FailureMessages) {
  RawHttpServer server([](const std::string& request) {
    const bool cut = request.starts_with("GET /cut");
    return Reply{cut ? "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nab" : "", Reply::Then::kClose};
  });
  for (const auto& [url, message] : std::vector<std::pair<std::string, std::string_view>>{
           {server.Url("/cut"), kMessageReadFailed},
           {server.Url("/mute"), kMessageNoAnswer},
           {ClosedUrl(), kMessageSendFailed},
           {"ftp://host/", kMessageBadUrl},
           {"http://host:99999/", kMessageBadUrl}}) {
    std::string status;
    WinHttpRequest({.url = url, .status = &status});
    EXPECT_EQ(status, message) << url;
  }
}

const std::string kInetAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n";

TEST(WinInetTest, CompletesTheCallersHeadersAndBodyInPlace) {
  RawHttpServer server([](const std::string&) { return Answer("body"); });
  const std::string url = server.Url("/P?q=1");  // the path keeps its case
  const std::string tail = "Referer: " + url + "\r\nAccept-Language: zh-cn\r\n";
  std::string cookies = "sid=1", headers, rawBody;
  const auto sent = [&](std::int32_t method, const std::string& body) {
    EXPECT_EQ(WinInetRequest({.url = url,
                              .method = method,
                              .body = body,
                              .cookies = &cookies,
                              .headers = &headers,
                              .rawBody = &rawBody}),
              "body");
    return server.LastRequest();
  };
  EXPECT_EQ(sent(kMethodGet, ""), server.RequestHead("GET /P?q=1 HTTP/1.1") + kInetAgent +
                                      "Accept: */*\r\n" + tail + "Cookie: sid=1\r\n\r\n");
  EXPECT_EQ(headers, "Accept: */*\r\n" + tail + "Cookie: sid=1");
  // A caller that gives the whole Cookie line, an unknown method code and its own agent.
  cookies = "Cookie: sid=2";
  headers = "User-Agent: Tester/1\r\nAccept: text/html";
  const std::string completed = headers + "\r\n" + tail + "Cookie: sid=2";
  EXPECT_EQ(sent(9, "a=1"), server.RequestHead("GET /P?q=1 HTTP/1.1") + completed + "\r\n\r\n");
  EXPECT_EQ(headers, completed);
  headers.clear();
  // The earlier merge took the blank out of the caller's whole Cookie line.
  EXPECT_TRUE(sent(kMethodPost, "a=1&b=2")
                  .ends_with(kForm + "Cookie:sid=2\r\nContent-Length: 7\r\n\r\na=1&b=2"));
  EXPECT_EQ(rawBody, "a=1&b=2");
}

// The head comes through a buffer (its last byte a NUL): a head that does not fit reads as blanks.
TEST(WinInetTest, AnswerHeadComesThroughAFixedBuffer) {
  std::size_t padding = 0;
  const auto reply = [&] {
    return HttpReply("200 OK", {"Set-Cookie: sid=ab", "X: " + std::string(padding, 'x')}, "");
  };
  RawHttpServer server([&](const std::string&) { return Reply{reply()}; });
  const std::size_t bare = reply().size();
  const std::string blanks(kRawHeaderBufferBytes, ' ');
  for (const auto& [url, size, outputs] :
       std::vector<std::tuple<std::string, std::size_t, std::string>>{
           {server.Url("/"), kRawHeaderBufferBytes - 1, "sid=ab; a=1sid=ab; a=1"},
           {server.Url("/"), kRawHeaderBufferBytes, blanks + "a=1a=1"},
           {ClosedUrl(), bare, blanks + "a=1a=1"},
           {"http://host:port/", bare, "ka = 1k"}}) {
    padding = size - bare;
    std::string jar = "a = 1", cookiesOut = "k", headersOut = "k";
    EXPECT_EQ(
        WinInetRequest(
            {.url = url, .cookies = &jar, .cookiesOut = &cookiesOut, .headersOut = &headersOut}),
        "");
    EXPECT_EQ((headersOut == reply() ? "" : headersOut) + jar + cookiesOut, outputs) << url;
  }
}

}  // namespace
}  // namespace hosting::net::testing
