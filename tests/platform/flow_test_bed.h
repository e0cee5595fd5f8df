#pragma once
// What a flow runs in during a test: recording views, a session cookie, a joining runner, datas.ini
// in a scratch folder and timings a hundred to a thousand times shorter than the member's, against
// an in-process sandbox (or, with none, wherever the test points the endpoints). Workers are joined
// before anything goes.

#include <optional>
#include <stop_token>

#include "net/session_cookie.h"
#include "platform/flow_context.h"
#include "recording_views.h"
#include "support/files.h"
#include "support/joining_runner.h"
#include "support/test_sandbox.h"

namespace hosting::platform::testing {

using testing_support::kCaptcha;

class FlowTestBed {
 public:
  explicit FlowTestBed(std::optional<sandbox::SandboxConfig> sandbox = sandbox::SandboxConfig{});
  ~FlowTestBed() { Finish(); }

  // Registers the member and logs in through the Login flow (session and captcha first); its id.
  std::int64_t LogInAs(const std::string& account, const std::string& password = "secret1");
  // Stops the long-running workers and joins every worker.
  void Finish() {
    shutdown.request_stop();
    runner.JoinAll();
  }
  sandbox::PlatformContext& platform() { return sandbox_->platform(); }
  std::vector<Message> Messages(const std::string& owner) const { return rec.Messages(owner); }
  std::string Caption(MainCaption caption) const { return rec.Read(NameOf(caption), "<unset>"); }
  testing_support::Rows Rows(MainList list) const { return rec.RowsOf(NameOf(list)); }
  // Types each (box, text) pair into the recorded controls.
  void Type(std::initializer_list<std::pair<const char*, std::string>> typed) {
    for (const auto& [box, text] : typed)
      rec.Write(box, text);
  }

 private:
  std::optional<testing_support::TestSandbox> sandbox_;
  testing_support::ScratchFolder folder_;

 public:
  const std::filesystem::path settingsFile = folder_.path() / "datas.ini";
  Recorder rec;
  RecordingLoginView loginView{rec};
  std::shared_ptr<RecordingMainView> mainView = std::make_shared<RecordingMainView>(rec);
  net::SessionCookie cookie;
  testing_support::JoiningRunner runner;
  QrCountdownSlot countdown;
  std::stop_source shutdown;
  FlowContext context;
};

}  // namespace hosting::platform::testing
