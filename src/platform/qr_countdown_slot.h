#pragma once
// The one countdown of the hosting code on screen. Starting a new countdown stops the previous
// one; the release button and the end of the hosting flow of the latest request stop the current
// one. A countdown writes
// its captions through Write, so that once Stop has returned it writes nothing more (a stopped
// countdown cannot overwrite the "0s" that the stopper sets afterwards).
// Stop and Write block while another thread writes: call them from workers, not the GUI thread.

#include <cstdint>
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
  // A request for a code begins: codes of earlier requests are no longer the one on screen.
  std::uint64_t BeginRequest();
  // Stops the current countdown if `request` is still the latest; false when a later one began.
  bool StopIfLatest(std::uint64_t request);
  // Another picture (an avatar) took the code's place: its expiry no longer marks the picture.
  void CoverCode();
  // Runs `write` unless `countdown` has been stopped; false when it has.
  bool Write(const std::stop_source& countdown, const std::function<void()>& write);
  // Runs `write(shown)` unless `countdown` has been stopped; `shown` says whether the picture
  // still shows the code (no CoverCode since it started).
  bool WriteEnd(const std::stop_source& countdown, const std::function<void(bool shown)>& write);

 private:
  std::mutex mutex_;
  std::stop_source current_{std::nostopstate};
  bool covered_ = false;
  std::uint64_t requests_ = 0;
};

}  // namespace hosting::platform
