// 1,000 sequential POSTs of a small form to a loopback server: through WinHttpRequest (with a
// session cookie, as the flows send them) and through one bare libcurl easy handle that keeps
// its connection alive. Both talk to the same loopback peer in the same run.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "net/raw_http_server.h"
#include "net/transport.h"
#include "net/win_http_request.h"

namespace {

constexpr int kPosts = 1000;
constexpr std::string_view kForm = "username=member01&password=a%26b%2Bc&code=1234";
constexpr std::string_view kAnswer = R"({"success":true,"msg":"ok","data":{"id":1}})";

std::string g_url;

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

void WinHttpEngine(benchmark::State& state) {
  for (auto _ : state) {
    for (int i = 0; i < kPosts; ++i) {
      std::string cookies = "JSESSIONID=0123456789ABCDEF";
      std::string text = hosting::net::WinHttpRequest({.url = g_url,
                                                       .method = hosting::net::kMethodPost,
                                                       .body = std::string(kForm),
                                                       .cookies = &cookies});
      if (text != kAnswer) {
        state.SkipWithError("unexpected answer");
        return;
      }
    }
  }
}

void BareLibcurl(benchmark::State& state) {
  CURL* curl = curl_easy_init();
  std::string body;
  curl_easy_setopt(curl, CURLOPT_URL, g_url.c_str());
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, kForm.data());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(kForm.size()));
  curl_easy_setopt(curl, CURLOPT_COOKIE, "JSESSIONID=0123456789ABCDEF");
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  for (auto _ : state) {
    for (int i = 0; i < kPosts; ++i) {
      body.clear();
      if (curl_easy_perform(curl) != CURLE_OK || body != kAnswer) {
        state.SkipWithError("unexpected answer");
        break;
      }
    }
  }
  curl_easy_cleanup(curl);
}

BENCHMARK(WinHttpEngine)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BareLibcurl)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  hosting::net::InitTransport();
  // The test peer answers each request with one send, so neither side waits on delayed ACKs.
  const hosting::net::testing::RawHttpServer server([](const std::string&) {
    return hosting::net::testing::Reply{hosting::net::testing::HttpReply(
        "200 OK", {"Content-Type: application/json;charset=UTF-8"}, kAnswer)};
  });
  g_url = server.Url("/custody/userapi/adminUser/login.do");

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
