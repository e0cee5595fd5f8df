#pragma once
// Everything a platform-sandbox instance can be told at start.

#include <cstdint>
#include <functional>
#include <string>

namespace sandbox {

// Milliseconds since 1970-01-01 UTC.
using Clock = std::function<std::int64_t()>;

struct SandboxConfig {
  std::string db = "platform-sandbox.db";  // ":memory:" keeps nothing after the process
  std::string listenHost = "127.0.0.1";
  // Required by the admin pages when not empty. Listening beyond loopback without one makes one up.
  std::string adminToken;
  int port = 18080;         // platform; 0 picks a free port
  int versionPort = 18081;  // version service; 0 picks a free port
  // Scheme, host and port that go into QR texts and avatar addresses, so that a phone on the
  // same network can open them. Empty: http://127.0.0.1:<platform port>.
  std::string publicUrl;
  bool demo = false;         // seed the member demo / demo123 with data
  std::string fixedCaptcha;  // every captcha is this code (tests, demos)
  int autoScanSeconds = -1;  // confirm each code by itself after that long; < 0: never
  int failQr = 0;            // the first N code.do requests get no answer
  int latencyMs = 0;         // delay before every answer
  int threads = 128;         // worker threads per server (one per kept-alive connection)
  // How long an idle kept-alive connection is held; a stop waits that long for a client that
  // keeps its connection open.
  int keepAliveSeconds = 5;
  std::string version = "1.2.0";  // what the version service reports
  std::string notice = "欢迎使用托管平台！新版本已发布，点击此处下载更新。";
  Clock clock;  // empty: the system clock; tests pass their own to move time on
};

}  // namespace sandbox
