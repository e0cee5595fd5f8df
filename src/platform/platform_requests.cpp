#include "platform/platform_requests.h"

#include <cstdint>
#include <utility>

#include "net/answer_text.h"
#include "net/codec.h"
#include "net/session_requests.h"
#include "net/text_helpers.h"
#include "net/win_inet_request.h"

namespace hosting::platform {
namespace {

// The parameters both engines share.
template <typename Params>
Params RequestParams(const FlowContext& context, std::string url, Verb verb,
                     std::string_view body) {
  Params params;
  params.url = std::move(url);
  params.method = verb == Verb::kPost ? net::kMethodPost : net::kMethodGet;
  params.body = std::string(body);
  params.timeoutSeconds = static_cast<std::int32_t>(context.requestTimeout.count());
  return params;
}

}  // namespace

std::string FreshApiPath(std::string_view path) {
  return std::string(path) + "?ajax=0." + net::RandomDigits(16);
}

std::string CallPlatformApi(const FlowContext& context, Verb verb, std::string_view path,
                            std::string_view body) {
  return net::SanitizeUtf8(net::WinHttpWithSession(
      RequestParams<net::WinHttpParams>(context, context.endpoints.PlatformUrl(path), verb, body),
      context.sessionCookie));
}

std::string FetchWithSession(const FlowContext& context, Verb verb, std::string_view path,
                             std::string_view body) {
  return net::WinInetWithSession(
      RequestParams<net::WinInetParams>(context, context.endpoints.PlatformUrl(path), verb, body),
      context.sessionCookie);
}

std::string FetchWithoutSession(const FlowContext& context, Verb verb, const std::string& url,
                                std::string_view body) {
  return net::WinInetRequest(RequestParams<net::WinInetParams>(context, url, verb, body));
}

void OpenPlatformSession(const FlowContext& context) {
  // Without `cookies` the engine's own store takes the answer's cookies as well.
  std::string answerCookies;
  auto params = RequestParams<net::WinInetParams>(
      context, context.endpoints.PlatformUrl("pageController.do?goLogin"), Verb::kGet, {});
  params.cookiesOut = &answerCookies;
  net::WinInetRequest(params);
  context.sessionCookie.Replace(std::move(answerCookies));
}

std::string ShownAnswer(std::string_view text) {
  if (text.size() <= kShownAnswerBytes) {
    return std::string(text);
  }
  std::size_t cut = kShownAnswerBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
    --cut;  // back to the first byte of the character that would be split
  }
  return std::string(text.substr(0, cut)) + "…";
}

std::string JsonText(std::string_view bytes) {
  return net::SanitizeUtf8(bytes);
}

std::string PageText(std::string_view bytes) {
  return net::SanitizeUtf8(net::AnswerText(bytes));
}

}  // namespace hosting::platform
