#pragma once
// The one countdown of the hosting code on screen. Starting a new countdown stops the previous
// one; the release button and the end of the hosting flow stop the current one. A countdown writes
// its captions through Write, so that once Stop has returned it writes nothing more (a stopped
// countdown cannot overwrite the "0s" that the stopper sets afterwards).
// Stop and Write block while another thread writes: call them from workers, not the GUI thread.

#include <functional>
#include <mutex>
#include <stop_token>

namespace hosting::platform {

class QrCountdownSlot {
 public:
  // Stops the current countdown and returns the stop source of a new current one.
  std::stop_source Start();
  // Stops the current countdown, if any.
  void Stop();
  // Runs `write` unless `countdown` has been stopped; false when it has.
  bool Write(const std::stop_source& countdown, const std::function<void()>& write);

 private:
  std::mutex mutex_;
  std::stop_source current_{std::nostopstate};
};

}  // namespace hosting::platform
