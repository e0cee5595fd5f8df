#pragma once
// Hostile answers shaped for the endpoint asked, and a scripted platform that gives them.

#include <memory>
#include <vector>

#include "support/scripted_platform.h"

namespace hosting::hostile {

enum class Hostility {
  kRefused,          // nothing listens
  kSilent,           // the request is read and never answered
  kCutMidBody,       // an accepted answer breaks off early (Content-Length promises more)
  kHugeBody,         // 50 MB that are neither JSON, HTML with markers nor a picture
  kBadUtf8,          // JSON with invalid UTF-8 in every text
  kBadGbk,           // invalid GBK bytes in JSON of no charset
  kNumbersForTexts,  // numbers where the texts of an answer are read
  kObjectForList,    // objects where lists are read (and lists where texts are)
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

std::vector<std::string> FloodCookies();
std::string PngPicture();  // a small picture: what an accepted captcha or avatar request gets
net::testing::Reply HostileReply(Hostility kind, std::string_view target);

// Targets containing `path` get the hostile answer; the others an accepting platform's: one row
// per list, every figure, PNG pictures, every action succeeds.
struct HostileScope {
  std::string path{};
};

std::unique_ptr<testing_support::ScriptedPlatform> ServeHostile(Hostility kind,
                                                                HostileScope scope = {});

}  // namespace hosting::hostile
