#pragma once
// The request road of every flow: the platform URL, the engine, SessionCookie and the answer as
// UTF-8 text. Failures give an empty answer, never an exception.

#include <string>
#include <string_view>

#include "platform/flow_context.h"

namespace hosting::platform {

enum class Verb { kGet = 0, kPost = 1 };

// path + "?ajax=0." + 16 fresh random digits: the cache-busting form of the API list calls.
std::string FreshApiPath(std::string_view path);

// An API call under "/custody/" through the WinHttp engine with SessionCookie, which takes the
// answer's cookies. The answer is UTF-8 text.
std::string CallPlatformApi(const FlowContext& context, Verb verb, std::string_view path,
                            std::string_view body = {});
// A fetch under "/custody/" through the WinINet engine with SessionCookie (captchas, the
// registration, the withdrawal page). The answer bytes.
std::string FetchWithSession(const FlowContext& context, Verb verb, std::string_view path,
                             std::string_view body = {});
// A fetch of any URL through the WinINet engine without SessionCookie: the engine's own cookie
// store applies. The answer bytes.
std::string FetchWithoutSession(const FlowContext& context, Verb verb, const std::string& url,
                                std::string_view body = {});
// Opens the platform session: GET of the login page, after which SessionCookie holds exactly the
// cookies that this answer set (and the engine's own store keeps them too).
void OpenPlatformSession(const FlowContext& context);

// A whole answer as a message box shows it: up to kShownAnswerBytes as it is, a longer one cut
// there (at a character boundary) and marked with "…". A message box cannot show more usefully,
// and a huge text would freeze the window that lays it out.
inline constexpr std::size_t kShownAnswerBytes = 4096;
std::string ShownAnswer(std::string_view text);

// Answer bytes of a JSON call as text (invalid UTF-8 sequences become U+FFFD).
std::string JsonText(std::string_view bytes);
// An HTML page as text: decoded from the charset its meta tag declares, else taken as UTF-8.
std::string PageText(std::string_view bytes);

}  // namespace hosting::platform
