#include "net/win_inet_request.h"

#include <gtest/gtest.h>

#include "net/raw_http_server.h"

namespace hosting::net {
namespace {

using testing::HttpReply;
using testing::RawHttpServer;
using testing::Reply;

const std::string kAgentLine = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n";

class WinInetRequestTest : public ::testing::Test {
 protected:
  RawHttpServer server{[](const std::string&) { return Reply{HttpReply("200 OK", {}, "body")}; }};
};

TEST_F(WinInetRequestTest, GetCompletesTheCallersHeadersAndSendsThem) {
  const std::string url = server.Url("/p?q=1");
  std::string cookies = "sid=1";
  std::string headers;
  EXPECT_EQ(WinInetRequest({.url = url, .cookies = &cookies, .headers = &headers}), "body");
  const std::string block =
      "Accept: */*\r\nReferer: " + url + "\r\nAccept-Language: zh-cn\r\nCookie: sid=1";
  EXPECT_EQ(headers, block);
  EXPECT_EQ(server.LastRequest(),
            server.RequestHead("GET /p?q=1 HTTP/1.1") + kAgentLine + block + "\r\n\r\n");

  // A caller that gives the whole Cookie line, and an unknown method code.
  cookies = "Cookie: sid=2";
  WinInetRequest({.url = url, .method = 9, .cookies = &cookies, .mergeCookies = false});
  EXPECT_EQ(server.LastRequest(), server.RequestHead("GET /p?q=1 HTTP/1.1") + kAgentLine +
                                      "Accept: */*\r\nReferer: " + url +
                                      "\r\nAccept-Language: zh-cn\r\nCookie: sid=2\r\n\r\n");
}

TEST_F(WinInetRequestTest, PostFillsTheRawBodyAndAddsTheFormType) {
  const std::string url = server.Url("/r");
  std::string rawBody;
  std::string headers = "User-Agent: Tester/1\r\nAccept: text/html";
  std::string cookies;
  WinInetRequest({.url = url,
                  .method = kMethodPost,
                  .body = "a=1&b=2",
                  .cookies = &cookies,
                  .headers = &headers,
                  .rawBody = &rawBody});
  EXPECT_EQ(rawBody, "a=1&b=2");
  EXPECT_EQ(server.LastRequest(),
            server.RequestHead("POST /r HTTP/1.1") +
                "User-Agent: Tester/1\r\nAccept: text/html\r\nReferer: " + url +
                "\r\nAccept-Language: zh-cn\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\n"
                "Content-Length: 7\r\n\r\na=1&b=2");

  // A raw body already given wins over `body`.
  rawBody = std::string("\x01\x00\x02", 3);
  WinInetRequest(
      {.url = url, .method = 3, .body = "ignored", .cookies = &cookies, .rawBody = &rawBody});
  EXPECT_TRUE(
      server.LastRequest().ends_with(std::string("Content-Length: 3\r\n\r\n\x01\x00\x02", 24)));
}

TEST(WinInetUrlTest, HostPortAndObjectFollowTheEngineSplit) {
  RawHttpServer server([](const std::string&) { return Reply{HttpReply("200 OK", {}, "")}; });
  const std::string port = std::to_string(server.port());
  std::string cookies;
  for (const auto& [url, line] : std::vector<std::pair<std::string, std::string>>{
           {"HTTP://127.0.0.1:" + port, "GET / HTTP/1.1"},
           {"http://127.0.0.1:" + port + "/X/Y?Z=1", "GET /X/Y?Z=1 HTTP/1.1"},
           {"127.0.0.1:" + port + "/noscheme", "GET /noscheme HTTP/1.1"}}) {
    WinInetRequest({.url = url, .cookies = &cookies});
    EXPECT_TRUE(server.LastRequest().starts_with(line + "\r\n")) << url;
  }
}

TEST(WinInetAnswerTest, CookiesComeFromAHeadThatFitsTheBuffer) {
  std::size_t padding = 0;
  const auto reply = [&] {
    return HttpReply(
        "200 OK", {"Set-Cookie: sid=ab; Path=/; HttpOnly", "X-Pad: " + std::string(padding, 'x')},
        "");
  };
  RawHttpServer server([&](const std::string&) { return Reply{reply()}; });
  const std::size_t bare = reply().size();
  // The buffer holds the head and its terminating NUL: 4,999 bytes fit, 5,000 do not.
  for (const std::size_t size : {kRawHeaderBufferBytes - 1, kRawHeaderBufferBytes}) {
    padding = size - bare;
    std::string jar = "a=1", cookiesOut, headersOut;
    WinInetRequest({.url = server.Url("/"),
                    .cookies = &jar,
                    .cookiesOut = &cookiesOut,
                    .headersOut = &headersOut});
    if (size < kRawHeaderBufferBytes) {
      EXPECT_EQ(headersOut, reply());
      EXPECT_EQ(jar, "sid=ab; a=1");
    } else {
      EXPECT_EQ(headersOut, std::string(kRawHeaderBufferBytes, ' '));
      EXPECT_EQ(jar, "a=1");
    }
    EXPECT_EQ(cookiesOut, jar);
  }
}

TEST(WinInetFailureTest, NoConnectionReadsAnEmptyAnswer) {
  std::string jar = "a = 1", cookiesOut = "keep", headersOut = "keep", headers;
  const std::string url = testing::ClosedUrl();
  EXPECT_EQ(WinInetRequest({.url = url,
                            .cookies = &jar,
                            .cookiesOut = &cookiesOut,
                            .headers = &headers,
                            .headersOut = &headersOut}),
            "");
  EXPECT_EQ(headersOut, std::string(kRawHeaderBufferBytes, ' '));
  EXPECT_EQ(jar, "a=1");
  EXPECT_EQ(cookiesOut, "a=1");

  // A URL that names nothing to connect to returns before anything is written.
  jar = "keep";
  headers = "keep";
  for (const std::string bad : {"http:///x", "http://host:0/", "http://host:port/"}) {
    EXPECT_EQ(WinInetRequest({.url = bad,
                              .cookies = &jar,
                              .cookiesOut = &cookiesOut,
                              .headers = &headers,
                              .headersOut = &headersOut}),
              "");
    EXPECT_EQ(jar + cookiesOut + headers, "keepa=1keep") << bad;
    EXPECT_EQ(headersOut, std::string(kRawHeaderBufferBytes, ' ')) << bad;
  }
}

TEST(WinInetFailureTest, BodyBrokenOffKeepsWhatCame) {
  RawHttpServer server([](const std::string&) {
    return Reply{"HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\npart", Reply::Then::kClose};
  });
  std::string cookies;
  EXPECT_EQ(WinInetRequest({.url = server.Url("/"), .cookies = &cookies}), "part");
}

}  // namespace
}  // namespace hosting::net
