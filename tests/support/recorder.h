#pragma once
// What a member would have seen: events in order, each control's value (written by a flow or typed
// by the test), each list's rows and the messages shown. Flows write from workers: thread-safe.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "platform/message_view.h"

namespace hosting::testing_support {

struct ShownMessage {
  std::string owner;  // the owner window's objectName
  platform::Message message;
  bool onGuiThread = false;
};

using Rows = std::vector<std::vector<std::string>>;

inline std::string MessageEvent(const platform::Message& message) {
  static constexpr const char* kIcons[] = {"none", "information", "warning", "stop"};
  return "message " + std::string(kIcons[static_cast<int>(message.icon)]) + "|" + message.title +
         "|" + message.text;
}

class Recorder {
  template <typename F>
  auto Locked(F f) const {
    const std::lock_guard lock(mutex_);
    return f();
  }
  template <typename F>
  void Change(F f) {
    Locked(f);
    changed_.notify_all();
  }

 public:
  void Write(const std::string& name, std::string value, std::string event = {}) {
    Change([&] {
      values_[name] = std::move(value);
      if (!event.empty())
        events_.push_back(std::move(event));
    });
  }
  void Log(std::string event) {
    Change([&] { events_.push_back(std::move(event)); });
  }
  std::string Read(const std::string& name, const std::string& unset = {}) const {
    return Locked([&] { return values_.contains(name) ? values_.at(name) : unset; });
  }
  void AppendRow(const std::string& list, std::vector<std::string> row) {
    Change([&] { rows_[list].push_back(std::move(row)), events_.push_back(list + " row"); });
  }
  void ClearRows(const std::string& list) {
    Change([&] { rows_[list].clear(), events_.push_back(list + " cleared"); });
  }
  Rows RowsOf(const std::string& list) const {
    return Locked([&] { return rows_.contains(list) ? rows_.at(list) : Rows{}; });
  }
  void Show(ShownMessage shown) {
    Change([&] { events_.push_back(MessageEvent(shown.message)), shown_.push_back(shown); });
  }
  std::vector<ShownMessage> Shown() const {
    return Locked([&] { return shown_; });
  }
  std::vector<std::string> Events() const {
    return Locked([&] { return events_; });
  }
  int CountOf(const std::string& event) const {
    return Locked([&] { return static_cast<int>(std::ranges::count(events_, event)); });
  }
  // False after a minute: a hang guard only.
  bool WaitFor(const std::string& event) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::minutes(1),
                             [&] { return std::ranges::count(events_, event) > 0; });
  }
  void Clear() {
    Change([&] { values_ = {}, rows_ = {}, shown_ = {}, events_ = {}; });
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::map<std::string, std::string> values_;
  std::map<std::string, Rows> rows_;
  std::vector<ShownMessage> shown_;
  std::vector<std::string> events_;
};

}  // namespace hosting::testing_support
