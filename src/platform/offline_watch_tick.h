#pragma once
// One look of the hosted-accounts watch: the requests of 刷新页面 without emptying anything first.
// A usable list replaces the rows; each account that was 在线 in the last usable list and is 离线
// now is announced once. No look starts while a refresh the member asked for runs, and an
// unusable answer changes nothing on screen. Writes only, never reads: the GUI thread may wait for
// the thread that runs it.

#include <map>
#include <string>

#include "platform/flow_context.h"
#include "platform/main_view.h"

namespace hosting::platform {

class OfflineWatchTick {
 public:
  void Run(const FlowContext& context, MainView& view);

 private:
  std::map<std::string, bool> lastOnline_;  // 账号(ID) → 在线, from the last usable list
};

}  // namespace hosting::platform
