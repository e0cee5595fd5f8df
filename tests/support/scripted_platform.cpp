#include "support/scripted_platform.h"

namespace hosting::testing_support {

using net::testing::Reply;

ScriptedPlatform::ScriptedPlatform(Script script, bool refused)
    : script_(std::move(script)),
      server_([this](const std::string& request) {
        const std::size_t start = request.find(' ') + 1;
        {
          const std::lock_guard lock(mutex_);
          ++requests_;
        }
        requestRead_.notify_all();
        return script_(std::string_view(request).substr(start, request.find(' ', start) - start));
      }),
      baseUrl_(refused ? net::testing::ClosedUrl() : server_.Url("/")) {
  baseUrl_.pop_back();  // without the closing slash
}

ScriptedPlatform::Script ScriptedPlatform::Always(std::string body) {
  return
      [reply = net::testing::HttpReply("200 OK", {"Content-Type: application/json;charset=UTF-8"},
                                       body)](std::string_view) { return Reply{reply}; };
}

int ScriptedPlatform::RequestCount() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

bool ScriptedPlatform::WaitForRequests(int count) const {
  std::unique_lock lock(mutex_);
  return requestRead_.wait_for(lock, std::chrono::minutes(1), [&] { return requests_ >= count; });
}

}  // namespace hosting::testing_support
