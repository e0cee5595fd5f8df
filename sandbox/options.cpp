#include "sandbox/options.h"

#include <charconv>
#include <functional>
#include <map>
#include <optional>

#include "sandbox/admin_access.h"

namespace sandbox {

namespace {

std::optional<int> ParseInt(const std::string& text, int minimum, int maximum) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || value < minimum || value > maximum) {
    return std::nullopt;
  }
  return value;
}

using Setter = std::function<bool(SandboxConfig&, const std::string&)>;

Setter IntSetter(int SandboxConfig::*field, int minimum, int maximum) {
  return [=](SandboxConfig& config, const std::string& text) {
    const auto value = ParseInt(text, minimum, maximum);
    if (value) {
      config.*field = *value;
    }
    return value.has_value();
  };
}

Setter TextSetter(std::string SandboxConfig::*field) {
  return [=](SandboxConfig& config, const std::string& text) {
    config.*field = text;
    return true;
  };
}

const std::map<std::string, Setter>& ValueOptions() {
  static const std::map<std::string, Setter> options = {
      {"--port", IntSetter(&SandboxConfig::port, 0, 65535)},
      {"--version-port", IntSetter(&SandboxConfig::versionPort, 0, 65535)},
      {"--db", TextSetter(&SandboxConfig::db)},
      {"--listen", TextSetter(&SandboxConfig::listenHost)},
      {"--admin-token",
       [](SandboxConfig& config, const std::string& text) {
         config.adminToken = text;
         return IsValidAdminToken(text);
       }},
      {"--public-url",
       [](SandboxConfig& config, const std::string& text) {
         config.publicUrl = text;
         return text.starts_with("http://") || text.starts_with("https://");
       }},
      {"--fixed-captcha",
       [](SandboxConfig& config, const std::string& text) {
         config.fixedCaptcha = text;
         return !text.empty() && text.size() <= 8;
       }},
      {"--auto-scan", IntSetter(&SandboxConfig::autoScanSeconds, 0, 3600)},
      {"--fail-qr", IntSetter(&SandboxConfig::failQr, 0, 1'000'000)},
      {"--latency", IntSetter(&SandboxConfig::latencyMs, 0, 60'000)},
      {"--threads", IntSetter(&SandboxConfig::threads, 2, 1024)},
  };
  return options;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      continue;
    }
    if (arg == "--demo") {
      parsed.config.demo = true;
      continue;
    }
    const auto option = ValueOptions().find(arg);
    if (option == ValueOptions().end()) {
      parsed.error = "unknown option " + arg;
      return parsed;
    }
    if (i + 1 >= args.size()) {
      parsed.error = arg + " needs a value";
      return parsed;
    }
    if (!option->second(parsed.config, args[++i])) {
      parsed.error = "bad value for " + arg + ": " + args[i];
      return parsed;
    }
  }
  return parsed;
}

std::string UsageText() {
  return R"(Usage: platform-sandbox [options]
A local stand-in for the hosting platform (under /custody/) and its version service (/api/).

  --port N             platform port (default 18080; 0 picks a free one)
  --version-port N     version service port (default 18081; 0 picks a free one)
  --db PATH            SQLite database file (default platform-sandbox.db; :memory: keeps nothing)
  --listen HOST        address to listen on (default 127.0.0.1; 0.0.0.0 for the whole network)
  --admin-token TEXT   the admin pages need TEXT (header X-Admin-Token or ?token=); letters,
                       digits and -_.~ only. Beyond loopback one is made up and shown when absent
  --public-url URL     scheme://host:port put into QR texts and avatar addresses
  --demo               seed the member demo / demo123 with accounts, earnings and withdrawals
  --fixed-captcha CODE every captcha is CODE
  --auto-scan SECONDS  confirm every QR code by itself after SECONDS
  --fail-qr N          the first N code.do requests get no answer
  --latency MS         wait MS milliseconds before every answer
  --threads N          worker threads per port (default 128)
  --help               this text
)";
}

}  // namespace sandbox
