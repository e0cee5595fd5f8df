#pragma once
// A scripted platform that answers every request with one kind of hostile answer, shaped for the
// endpoint asked (the JSON envelope, the bare hosted-accounts list, the two jsonStr lists, the
// HTML pages, the captcha and avatar pictures). Built on the transport tests' raw peer: a hung
// connection ends at once when the platform goes.

#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "net/raw_http_server.h"

namespace hosting::hostile {

enum class Hostility {
  kRefused,          // nothing listens
  kSilent,           // the request is read and never answered
  kCutMidBody,       // an accepted answer breaks off half-way (Content-Length promises more)
  kHugeBody,         // 50 MB that are neither JSON, HTML with markers nor a picture
  kBadUtf8,          // the expected shape with invalid UTF-8 in every text
  kBadGbk,           // a page declaring gbk with invalid GBK; bytes of no charset elsewhere
  kNumbersForTexts,  // numbers where texts are read
  kObjectForList,    // objects where lists are read (and lists where texts are)
  kNullEverywhere,   // null for every member read
  kDeepNesting,      // JSON nested 100,000 deep
  kNoMarkers,        // an HTML page without any of the markers
  kLeftMarkerOnly,   // an HTML page with the left markers only
  kManyRows,         // 10,000 list rows
  kCookieFlood,      // an accepted answer under thousands of cookies and one huge cookie line
  kNotAnImage,       // bytes that start like a PNG and are not one
};

inline constexpr int kManyRowCount = 10000;
inline constexpr std::size_t kHugeBodyBytes = std::size_t{50} << 20;
inline constexpr int kFloodCookieCount = 3000;
// The transport refuses an answer with a header line over 100 KiB: this one still passes.
inline constexpr std::size_t kHugeCookieBytes = std::size_t{64} << 10;

std::vector<Hostility> AllHostilities();
std::string Name(Hostility kind);  // for test names: "CutMidBody"

// What an ordinary platform would answer to the request line's target, accepting the request:
// the login, registration, change, binding and withdrawal succeed, the hosting code is granted
// (and reported as logged in), lists hold one row, pages hold every figure, pictures are PNGs.
std::string AcceptedBody(std::string_view target);
// The hostile answer of `kind` to the request line's target, as bytes on the wire.
net::testing::Reply HostileReply(Hostility kind, std::string_view target);
// The "name=value" pairs that a kCookieFlood answer sets, in order.
std::vector<std::string> FloodCookies();
// A small PNG picture.
std::string PngPicture();

// Which requests get the hostile answer: those whose target contains `path` (every request when
// it is empty), after the first `acceptedFirst` of them. The others get AcceptedBody.
struct HostileScope {
  std::string path{};
  int acceptedFirst = 0;
};

class HostilePlatform {
 public:
  explicit HostilePlatform(Hostility kind, HostileScope scope = {});

  // Where the client finds it: a dead port for kRefused.
  std::string BaseUrl() const;
  std::string Url(std::string_view path) const { return BaseUrl() + std::string(path); }
  int RequestCount() const { return static_cast<int>(server_.Requests().size()); }
  // Waits until `count` requests have been read (false after a minute: a hang guard only).
  bool WaitForRequests(int count) const;

 private:
  net::testing::Reply Answer(const std::string& request);

  Hostility kind_;
  HostileScope scope_;
  mutable std::mutex mutex_;
  mutable std::condition_variable requestRead_;
  int readCount_ = 0;  // requests read
  int scoped_ = 0;     // of them, those in scope
  std::string closedUrl_;
  net::testing::RawHttpServer server_;
};

}  // namespace hosting::hostile
