#include "platform/platform_requests.h"

#include "net/answer_text.h"
#include "net/codec.h"
#include "net/session_requests.h"
#include "net/text_helpers.h"
#include "net/win_inet_request.h"

namespace hosting::platform {
namespace {

std::int32_t MethodCode(Verb verb) {
  return verb == Verb::kPost ? net::kMethodPost : net::kMethodGet;
}

}  // namespace

std::string FreshApiPath(std::string_view path) {
  return std::string(path) + "?ajax=0." + net::RandomDigits(16);
}

std::string CallPlatformApi(const FlowContext& context, Verb verb, std::string_view path,
                            std::string_view body) {
  net::WinHttpParams params;
  params.url = context.endpoints.PlatformUrl(path);
  params.method = MethodCode(verb);
  params.body = std::string(body);
  return net::SanitizeUtf8(net::WinHttpWithSession(std::move(params), context.sessionCookie));
}

std::string FetchWithSession(const FlowContext& context, Verb verb, std::string_view path,
                             std::string_view body) {
  net::WinInetParams params;
  params.url = context.endpoints.PlatformUrl(path);
  params.method = MethodCode(verb);
  params.body = std::string(body);
  return net::WinInetWithSession(std::move(params), context.sessionCookie);
}

std::string FetchWithoutSession(Verb verb, const std::string& url, std::string_view body) {
  net::WinInetParams params;
  params.url = url;
  params.method = MethodCode(verb);
  params.body = std::string(body);
  return net::WinInetRequest(params);
}

void OpenPlatformSession(const FlowContext& context) {
  // Without `cookies` the engine's own store takes the answer's cookies as well.
  std::string answerCookies;
  net::WinInetParams params;
  params.url = context.endpoints.PlatformUrl("pageController.do?goLogin");
  params.cookiesOut = &answerCookies;
  net::WinInetRequest(params);
  context.sessionCookie.Replace(std::move(answerCookies));
}

std::string JsonText(std::string_view bytes) {
  return net::SanitizeUtf8(bytes);
}

std::string PageText(std::string_view bytes) {
  return net::SanitizeUtf8(net::AnswerText(bytes));
}

}  // namespace hosting::platform
