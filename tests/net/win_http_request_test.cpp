#include "net/win_http_request.h"

#include <gtest/gtest.h>

#include <chrono>

#include "net/raw_http_server.h"

namespace hosting::net {
namespace {

using testing::HttpReply;
using testing::RawHttpServer;
using testing::Reply;

const std::string kAgentLine =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n";
const std::string kAcceptLines =
    "Accept: text/html, application/xhtml+xml, */*\r\n"
    "Accept-Encoding: gbk, GB2312\r\n"
    "Accept-Language: zh-cn\r\n";
const std::string kFormLine = "Content-Type: application/x-www-form-urlencoded\r\n";
const std::string kCacheLine = "Cache-Control: no-cache\r\n";

Reply Answer(std::string_view body, std::vector<std::string> lines = {}) {
  return {HttpReply("200 OK", lines, body)};
}

class WinHttpRequestTest : public ::testing::Test {
 protected:
  RawHttpServer server{[](const std::string&) { return Answer("hello"); }};
};

TEST_F(WinHttpRequestTest, GetSendsTheDefaultLinesInOrder) {
  std::string status;
  EXPECT_EQ(WinHttpRequest({.url = server.Url("/a/b?c=1&d"), .status = &status}), "hello");
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(server.LastRequest(), server.RequestHead("GET /a/b?c=1&d HTTP/1.1") + kAgentLine +
                                      kAcceptLines + kCacheLine + "\r\n");
}

TEST_F(WinHttpRequestTest, PostSendsContentTypeBeforeCacheControlAndTheCookieLast) {
  std::string cookies = "sid=1";
  WinHttpRequest({.url = server.Url("/login"),
                  .method = kMethodPost,
                  .body = "a=1&b=2",
                  .cookies = &cookies,
                  .mergeCookies = false});
  EXPECT_EQ(server.LastRequest(), server.RequestHead("POST /login HTTP/1.1") + kAgentLine +
                                      kAcceptLines + kFormLine + kCacheLine +
                                      "Cookie: sid=1\r\nContent-Length: 7\r\n\r\na=1&b=2");
}

TEST_F(WinHttpRequestTest, CallerLinesComeFirstAndReplaceDefaultsByKey) {
  WinHttpRequest({.url = server.Url("/"), .method = kMethodPost, .headers = "user-agent: X"});
  EXPECT_EQ(server.LastRequest(), server.RequestHead("POST / HTTP/1.1") + "user-agent: X\r\n" +
                                      kAcceptLines + kFormLine + kCacheLine +
                                      "Content-Length: 0\r\n\r\n");

  // Without the blank after the colon the key is not recognised: both agents go out.
  WinHttpRequest({.url = server.Url("/"), .headers = "User-Agent:X"});
  EXPECT_EQ(server.LastRequest(), server.RequestHead("GET / HTTP/1.1") + "User-Agent:X\r\n" +
                                      kAgentLine + kAcceptLines + kCacheLine + "\r\n");

  WinHttpRequest({.url = server.Url("/"),
                  .method = kMethodPost,
                  .body = "x",
                  .headers = "content-type: text/plain\r\nCookie: own=1"});
  EXPECT_EQ(server.LastRequest(), server.RequestHead("POST / HTTP/1.1") +
                                      "Content-Type: text/plain\r\nCookie: own=1\r\n" + kAgentLine +
                                      kAcceptLines + kCacheLine + "Content-Length: 1\r\n\r\nx");
}

TEST_F(WinHttpRequestTest, UnknownMethodCodesSendGetAndTheBodyGoesWithAnyMethod) {
  for (const std::int32_t code : {8, -1}) {
    std::string cookies;  // passed but empty: no Cookie line
    WinHttpRequest({.url = server.Url("/m"), .method = code, .cookies = &cookies});
    EXPECT_EQ(server.LastRequest(), server.RequestHead("GET /m HTTP/1.1") + kAgentLine +
                                        kAcceptLines + kCacheLine + "\r\n")
        << code;
  }
  // A large form goes at once, without waiting for a "100 Continue".
  const std::string form(3000, 'f');
  WinHttpRequest({.url = server.Url("/post"), .method = kMethodPost, .body = form});
  EXPECT_TRUE(server.LastRequest().ends_with("Content-Length: 3000\r\n\r\n" + form));
  WinHttpRequest({.url = server.Url("/put"), .method = 3, .body = "x=1"});
  EXPECT_EQ(server.LastRequest(), server.RequestHead("PUT /put HTTP/1.1") + kAgentLine +
                                      kAcceptLines + kCacheLine + "Content-Length: 3\r\n\r\nx=1");
}

TEST_F(WinHttpRequestTest, UrlsSplitIntoTheRequestLine) {
  const std::string base = "http://" + server.HostPort();
  for (const auto& [url, line] : std::vector<std::pair<std::string, std::string>>{
           {base, "GET / HTTP/1.1"},
           {base + "?q=1", "GET /?q=1 HTTP/1.1"},
           {base + "/x/y#part", "GET /x/y HTTP/1.1"},
           {"HTTP://user:pw@" + server.HostPort() + "/a%20b c", "GET /a%20b%20c HTTP/1.1"}}) {
    std::string status;
    WinHttpRequest({.url = url, .status = &status});
    EXPECT_EQ(status, "200 OK") << url;
    EXPECT_TRUE(server.LastRequest().starts_with(line + "\r\n")) << url;
  }
}

TEST_F(WinHttpRequestTest, TimeOutIsThirtySecondsUnlessPositive) {
  for (const auto& [seconds, ms] : {std::pair{0, 30000L}, {-4, 30000L}, {5, 5000L}}) {
    const auto exchange = MakeWinHttpExchange({.url = "http://h/", .timeoutSeconds = seconds});
    ASSERT_TRUE(exchange);
    EXPECT_EQ(exchange->timeoutMs, ms) << seconds;
  }
}

TEST_F(WinHttpRequestTest, BasicCredentialsGoToServerAndProxy) {
  WinHttpRequest({.url = server.Url("/"), .user = "u", .password = "p"});
  EXPECT_NE(server.LastRequest().find("\r\nAuthorization: Basic dTpw\r\n"), std::string::npos);
  WinHttpRequest({.url = server.Url("/"), .user = "u"});
  EXPECT_EQ(server.LastRequest().find("Authorization"), std::string::npos);
}

TEST(WinHttpProxyTest, ProxyCarriesHttpRequestsAndTunnelsHttps) {
  RawHttpServer proxy([](const std::string& request) {
    return request.starts_with("CONNECT") ? Reply{HttpReply("403 Forbidden", {}, "")}
                                          : Answer("via proxy");
  });
  std::string status;
  EXPECT_EQ(WinHttpRequest({.url = "http://platform.test/x?y=1", .proxy = proxy.HostPort()}),
            "via proxy");
  EXPECT_TRUE(proxy.LastRequest().starts_with(
      "GET http://platform.test/x?y=1 HTTP/1.1\r\nHost: platform.test\r\n"));

  EXPECT_EQ(WinHttpRequest({.url = "https://platform.test/s",
                            .proxy = proxy.HostPort(),
                            .proxyUser = "pu",
                            .proxyPassword = "pp",
                            .status = &status}),
            "");
  EXPECT_EQ(status, kMessageSendFailed);
  const std::string connect = proxy.LastRequest();
  EXPECT_TRUE(connect.starts_with("CONNECT platform.test:443 HTTP/1.1\r\n")) << connect;
  EXPECT_NE(connect.find("\r\nProxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos);
}

TEST(WinHttpAnswerTest, StatusLocationAndCookiesComeFromTheAnswerHead) {
  const std::string head =
      "HTTP/1.1 302 Found\r\nLocation: /next\r\n"
      "Set-Cookie: JSESSIONID=ab12; Path=/x; HttpOnly\r\nset-cookie: a=1\r\n"
      "Set-Cookie: lang=zh\r\nContent-Length: 0\r\n\r\n";
  RawHttpServer server([&](const std::string& request) {
    return request.starts_with("GET /next") ? Answer("arrived") : Reply{head};
  });
  std::string headersOut, status, location, cookiesOut;
  const WinHttpParams params{.url = server.Url("/start"),
                             .cookiesOut = &cookiesOut,
                             .headersOut = &headersOut,
                             .noRedirect = true,
                             .location = &location,
                             .status = &status};
  EXPECT_EQ(WinHttpRequest(params), "");
  EXPECT_EQ(headersOut, head);
  EXPECT_EQ(status, "302 Found");
  EXPECT_EQ(location, "/next");
  EXPECT_EQ(cookiesOut, "JSESSIONID=ab12; lang=zh");
  EXPECT_EQ(server.Requests().size(), 1u);

  // Followed, the redirect is invisible but for the answer it leads to.
  std::string jar = "a=1; JSESSIONID=old";
  EXPECT_EQ(WinHttpRequest({.url = server.Url("/start"), .cookies = &jar, .status = &status}),
            "arrived");
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(jar, "a=1; JSESSIONID=old");  // the final answer set no cookie
  ASSERT_EQ(server.Requests().size(), 3u);
  EXPECT_NE(server.Requests()[2].find("\r\nCookie: a=1; JSESSIONID=old\r\n"), std::string::npos);
}

TEST(WinHttpAnswerTest, AnswerCookiesMergeIntoTheCallersText) {
  RawHttpServer server([](const std::string&) {
    return Answer("", {"Set-Cookie: JSESSIONID=new; Path=/", "Set-Cookie: gone=deleted"});
  });
  std::string jar = "a = 1; gone=x; JSESSIONID=old";
  std::string cookiesOut;
  EXPECT_TRUE(WinHttpExchange({.url = server.Url("/"), .cookies = &jar, .cookiesOut = &cookiesOut})
                  .cookiesMerged);
  EXPECT_EQ(jar, "JSESSIONID=new; a=1");
  EXPECT_EQ(cookiesOut, jar);

  EXPECT_FALSE(WinHttpExchange({.url = server.Url("/"),
                                .cookies = &jar,
                                .cookiesOut = &cookiesOut,
                                .mergeCookies = false})
                   .cookiesMerged);
  EXPECT_EQ(jar, "JSESSIONID=new; a=1");
  EXPECT_EQ(cookiesOut, "JSESSIONID=new; gone=deleted");
}

TEST(WinHttpAnswerTest, TextEndsAtTheFirstNulAndDeclaredCharsetsAreDecoded) {
  const std::string gbkChinese = "\xD6\xD0\xCE\xC4";           // 中文 in GBK
  const std::string utf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文 in UTF-8
  const auto page = [](std::string_view meta, std::string_view text) {
    return "<html><head>" + std::string(meta) + "</head><body>" + std::string(text) +
           "</body></html>";
  };
  const std::string nul("ab\0cd", 5);
  struct Case {
    std::string body, text;
  };
  const std::vector<Case> cases = {
      {nul, "ab"},
      {page(R"(<meta charset="utf-8">)", utf8Chinese + "\xFF"),
       page(R"(<meta charset="utf-8">)", utf8Chinese + "\xEF\xBF\xBD")},
      {page(R"(<meta http-equiv="Content-Type" content="text/html; charset=gbk">)", gbkChinese),
       page(R"(<meta http-equiv="Content-Type" content="text/html; charset=gbk">)", utf8Chinese)},
      {page("<META CHARSET=GBK>", gbkChinese), page("<META CHARSET=GBK>", utf8Chinese)},
      {page("<meta charset='gb2312'>", gbkChinese), page("<meta charset='gb2312'>", utf8Chinese)},
      {page("<title>none</title>", gbkChinese), page("<title>none</title>", gbkChinese)},
      {std::string(1100, ' ') + page("<meta charset=gbk>", gbkChinese),
       std::string(1100, ' ') + page("<meta charset=gbk>", gbkChinese)},
  };
  for (const auto& c : cases) {
    RawHttpServer server([&](const std::string&) { return Answer(c.body); });
    std::string bytes;
    EXPECT_EQ(WinHttpRequest({.url = server.Url("/"), .responseBytes = &bytes}), c.text);
    EXPECT_EQ(bytes, c.body);
  }
}

// What a failed request leaves: the message in `status`, an empty result, nothing else written.
struct FailureCase {
  std::string url;
  std::string_view message;
};

void ExpectFailure(const WinHttpParams& base, std::string_view message) {
  std::string jar = "keep", cookiesOut = "keep", headersOut = "keep", location = "keep", status,
              bytes = "keep";
  WinHttpParams params = base;
  params.cookies = &jar;
  params.cookiesOut = &cookiesOut;
  params.headersOut = &headersOut;
  params.location = &location;
  params.status = &status;
  params.responseBytes = &bytes;
  EXPECT_EQ(WinHttpRequest(params), "") << params.url;
  EXPECT_EQ(status, message) << params.url;
  for (const std::string* output : {&jar, &cookiesOut, &headersOut, &location, &bytes}) {
    EXPECT_EQ(*output, "keep") << params.url;
  }
}

TEST(WinHttpFailureTest, FailuresWriteOnlyTheirMessage) {
  for (const std::string url : {"ftp://host/", "http://", "http://host:99999/", "no url"}) {
    ExpectFailure({.url = url}, kMessageBadUrl);
  }
  ExpectFailure({.url = testing::ClosedUrl()}, kMessageSendFailed);
  EXPECT_EQ(kMessageSendFailed, "711 发送请求失败!");
  EXPECT_EQ(kMessageNoAnswer, "712 服务器未响应!");
}

TEST(WinHttpFailureTest, ServerThatNeverAnswersTimesOut) {
  RawHttpServer silent([](const std::string&) { return Reply{"", Reply::Then::kHang}; });
  const auto start = std::chrono::steady_clock::now();
  ExpectFailure({.url = silent.Url("/"), .timeoutSeconds = 1}, kMessageNoAnswer);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(900));
  EXPECT_LT(waited, std::chrono::seconds(10));
}

TEST(WinHttpFailureTest, BodyBrokenOffKeepsWhatCame) {
  const std::string head = "HTTP/1.1 200 OK\r\nSet-Cookie: s=1\r\nContent-Length: 100\r\n\r\n";
  RawHttpServer server([&](const std::string&) {
    return Reply{head + "0123456789", Reply::Then::kClose};
  });
  std::string jar, status, bytes, headersOut;
  EXPECT_EQ(WinHttpRequest({.url = server.Url("/"),
                            .cookies = &jar,
                            .headersOut = &headersOut,
                            .status = &status,
                            .responseBytes = &bytes}),
            "0123456789");
  EXPECT_EQ(status, kMessageReadFailed);
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_EQ(headersOut, head);
  EXPECT_EQ(jar, "s=1");
}

}  // namespace
}  // namespace hosting::net
