#pragma once
// A platform-sandbox on free loopback ports and the FlowContext that points at it, with short
// hosting timings. Workers started through the context are joined before anything goes away.

#include <filesystem>
#include <memory>
#include <string>

#include "net/raw_http_server.h"
#include "net/session_cookie.h"
#include "platform/flow_context.h"
#include "recording_views.h"
#include "sandbox/platform_server.h"
#include "support/joining_runner.h"

namespace hosting::platform::testing {

inline constexpr const char* kCaptcha = "4711";  // every captcha of the test sandbox

using testing_support::JoiningRunner;

// Timings a hundred to a thousand times shorter than the member's; the countdown keeps its steps.
HostingTimings ShortTimings();

// A one-route stand-in for answers the sandbox never gives (texts that the flows must treat as
// unknown): every request gets `body`. Its connections close at once when it goes.
class CannedPlatform {
 public:
  explicit CannedPlatform(std::string body);
  std::string BaseUrl() const { return server_.Url(""); }

 private:
  net::testing::RawHttpServer server_;
};

class FlowTestBed {
 public:
  explicit FlowTestBed(sandbox::SandboxConfig config = {});
  ~FlowTestBed();

  // Creates the member and logs in through the Login flow (session opened first).
  void LogInAs(const std::string& account, const std::string& password = "secret1");
  std::int64_t MemberId(const std::string& account);
  // Points the context's platform at another base URL (a dead port, a canned platform).
  void UsePlatform(const std::string& baseUrl);
  // Stops the long-running workers and joins every worker.
  void Finish();

  sandbox::PlatformServer& server() { return *server_; }
  sandbox::PlatformContext& platform() { return server_->context(); }
  const std::filesystem::path& settingsFile() const { return settingsFile_; }

  EventLog log;
  std::shared_ptr<RecordingMainView> mainView = std::make_shared<RecordingMainView>(log);
  RecordingLoginView loginView{log};
  net::SessionCookie cookie;
  JoiningRunner runner;
  QrCountdownSlot countdown;
  std::stop_source shutdown;

 private:
  std::unique_ptr<sandbox::PlatformServer> server_;
  std::filesystem::path directory_;
  std::filesystem::path settingsFile_;

 public:
  FlowContext context;
};

}  // namespace hosting::platform::testing
