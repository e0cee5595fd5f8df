#pragma once
// The request engines as types, so that one typed test runs against both: `Params` is the
// engine's parameter struct and `Request` its call. Both structs begin url, method, body, cookies,
// cookiesOut, so those can be given by name alike.
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
