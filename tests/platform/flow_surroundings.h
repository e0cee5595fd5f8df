#pragma once
// A flow's surroundings: recording views, datas.ini in a scratch folder, timings 100-1000 times
// shorter and the platform at `endpoints`; workers are joined before anything goes.

#include "net/session_cookie.h"
#include "platform/flow_context.h"
#include "recording_views.h"
#include "support/files.h"
#include "support/joining_runner.h"
#include "support/test_captcha.h"

namespace hosting::platform::testing {

using testing_support::kCaptcha;

class FlowSurroundings {
 public:
  explicit FlowSurroundings(PlatformEndpoints endpoints = {});
  ~FlowSurroundings() { Finish(); }

  // Through the flows, in a session of its own, with views of its own: whether it was accepted.
  bool LogIn(const std::string& account, const std::string& password);
  void Finish() {
    shutdown.request_stop();
    runner.JoinAll();
  }
  std::vector<Message> Messages(const std::string& owner) const {
    std::vector<Message> messages;
    for (const auto& shown : rec.Shown())
      if (shown.owner == owner)
        messages.push_back(shown.message);
    return messages;
  }
  std::string Caption(MainCaption caption) const { return rec.Read(NameOf(caption), "<unset>"); }
  testing_support::Rows Rows(MainList list) const { return rec.RowsOf(NameOf(list)); }
  void Type(std::initializer_list<std::pair<const char*, std::string>> typed) {
    for (const auto& [box, text] : typed)
      rec.Write(box, text);
  }

 private:
  testing_support::ScratchFolder folder_;

 public:
  const std::filesystem::path settingsFile = folder_.path() / "datas.ini";
  Recorder rec;
  RecordingLoginView loginView{rec};
  std::shared_ptr<RecordingMainView> mainView = std::make_shared<RecordingMainView>(rec);
  net::SessionCookie cookie;
  testing_support::JoiningRunner runner;
  QrCountdownSlot countdown;
  HostedListGate hostedList;
  std::stop_source shutdown;
  FlowContext context;
};

}  // namespace hosting::platform::testing
