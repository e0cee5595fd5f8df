#pragma once
// A stand-in platform for answers the sandbox never gives: every request gets what its script
// gives for the request's target. Built on the transport tests' raw peer, so a hung connection
// ends at once when the platform goes.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "net/raw_http_server.h"

namespace hosting::testing_support {

class ScriptedPlatform {
 public:
  using Script = std::function<net::testing::Reply(std::string_view target)>;
  // `refused`: nothing listens where BaseUrl points.
  explicit ScriptedPlatform(Script script, bool refused = false);
  // A script that answers every request with `body`, as JSON.
  static Script Always(std::string body);

  std::string BaseUrl() const { return baseUrl_; }
  std::string Url(std::string_view path) const { return baseUrl_ + std::string(path); }
  int RequestCount() const;
  // Waits until `count` requests have been read (false after a minute: a hang guard only).
  bool WaitForRequests(int count) const;

 private:
  Script script_;
  mutable std::mutex mutex_;
  mutable std::condition_variable requestRead_;
  int requests_ = 0;
  net::testing::RawHttpServer server_;
  std::string baseUrl_;
};

}  // namespace hosting::testing_support
