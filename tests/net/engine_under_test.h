#pragma once
// A request engine as a type, so that one typed test runs against both: `Params` is the engine's
// parameter struct and `Request` its call. Both structs begin url, method, body, cookies,
// cookiesOut, so those can be given by name alike.
#include <gtest/gtest.h>

#include "net/win_http_request.h"
#include "net/win_inet_request.h"

namespace hosting::net::testing {

template <typename P, std::string (*Call)(const P&)>
struct EngineOf {
  using Params = P;
  static std::string Request(const P& params) { return Call(params); }
};
using WinHttpEngine = EngineOf<WinHttpParams, &WinHttpRequest>;
using WinInetEngine = EngineOf<WinInetParams, &WinInetRequest>;
using BothEngines = ::testing::Types<WinHttpEngine, WinInetEngine>;

}  // namespace hosting::net::testing
