#pragma once
// The request engines as types for typed tests (both Params begin url, method, body, cookies).
#include <gtest/gtest.h>

#include "net/win_http_request.h"
#include "net/win_inet_request.h"

namespace hosting::net::testing {

struct WinHttpEngine {
  using Params = WinHttpParams;
  static std::string Request(const Params& params) { return WinHttpRequest(params); }
};
struct WinInetEngine {
  using Params = WinInetParams;
  static std::string Request(const Params& params) { return WinInetRequest(params); }
};
using BothEngines = ::testing::Types<WinHttpEngine, WinInetEngine>;

}  // namespace hosting::net::testing
