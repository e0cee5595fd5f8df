#pragma once
// Hostile answers, each shaped for the endpoint asked (the JSON envelope, the bare hosted-accounts
// list, the two jsonStr lists, the HTML pages, the captcha and avatar pictures), and a scripted
// platform that gives them.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/scripted_platform.h"

namespace hosting::hostile {

enum class Hostility {
  kRefused,          // nothing listens
  kSilent,           // the request is read and never answered
  kCutMidBody,       // an accepted answer breaks off early (Content-Length promises more)
  kHugeBody,         // 50 MB that are neither JSON, HTML with markers nor a picture
  kBadUtf8,          // the expected shape with invalid UTF-8 in every text
  kBadGbk,           // a page declaring gbk with invalid GBK; bytes of no charset elsewhere
  kNumbersForTexts,  // numbers where texts are read
  kObjectForList,    // objects where lists are read (and lists where texts are)
  kNullEverywhere,   // null for every member read
  kDeepNesting,      // JSON (and HTML) nested 100,000 deep
  kNoMarkers,        // an HTML page without any of the markers
  kLeftMarkerOnly,   // an HTML page with the left markers only
  kManyRows,         // 10,000 list rows
  kCookieFlood,      // an accepted answer under 3,000 cookies and one 64 KB cookie line
  kNotAnImage,       // bytes that start like a PNG and are not one
};

inline constexpr int kManyRowCount = 10000;
inline constexpr std::size_t kHugeBodyBytes = std::size_t{50} << 20;

std::vector<Hostility> AllHostilities();
std::string Name(Hostility kind);  // "CutMidBody"

// The "name=value" pairs that a kCookieFlood answer sets, in order.
std::vector<std::string> FloodCookies();
std::string PngPicture();  // a small picture: what an accepted captcha or avatar request gets
// The hostile answer of `kind` to the request line's target, as bytes on the wire.
net::testing::Reply HostileReply(Hostility kind, std::string_view target);

// Which requests get the hostile answer: those whose target contains `path` (every request when
// it is empty), after the first `acceptedFirst` of them. The others get what an ordinary platform
// accepts: logins, changes, bindings and withdrawals succeed, the hosting code is granted and
// reported as logged in, lists hold one row, pages every figure, pictures are PNGs.
struct HostileScope {
  std::string path{};
  int acceptedFirst = 0;
};

std::unique_ptr<testing_support::ScriptedPlatform> ServeHostile(Hostility kind,
                                                                HostileScope scope = {});

}  // namespace hosting::hostile
