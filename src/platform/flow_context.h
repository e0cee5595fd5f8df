#pragma once
// Everything a flow needs besides its view. The program builds one FlowContext for the whole run
// and keeps it alive until the process ends; a test builds one per test and joins its workers
// before letting it go. Flows that start threads of their own capture the context by reference.

#include <chrono>
#include <filesystem>
#include <stop_token>

#include "net/session_cookie.h"
#include "platform/hosted_list_gate.h"
#include "platform/hosting_timings.h"
#include "platform/platform_endpoints.h"
#include "platform/platform_time.h"
#include "platform/qr_countdown_slot.h"
#include "platform/task_runner.h"

namespace hosting::platform {

struct FlowContext {
  PlatformEndpoints endpoints;
  std::filesystem::path settingsFile;  // datas.ini
  net::SessionCookie& sessionCookie;   // the platform session, shared by all flows
  TaskRunner& runner;                  // starts the workers that flows hand on
  QrCountdownSlot& countdown;          // the countdown of the hosting code shown now
  HostedListGate& hostedList;  // who may write 托管状态: the member's refresh or the watch
  HostingTimings timings;
  ClockConvention clock;     // how the member's locale writes times of day
  std::stop_token shutdown;  // requested when the process ends: long-running workers stop
  std::chrono::seconds requestTimeout{30};  // each phase of each request (connect, each wait)
};

}  // namespace hosting::platform
