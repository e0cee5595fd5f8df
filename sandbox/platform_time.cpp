#include "sandbox/platform_time.h"

#include <cstdio>
#include <ctime>

namespace sandbox {

std::int64_t DayStartMs(std::int64_t nowMs) {
  const std::int64_t local = nowMs + kUtc8OffsetMs;
  std::int64_t day = local / kDayMs;
  if (local % kDayMs < 0) {
    --day;
  }
  return day * kDayMs - kUtc8OffsetMs;
}

std::string CompactTime(std::int64_t ms) {
  const std::time_t seconds = static_cast<std::time_t>((ms + kUtc8OffsetMs) / 1000);
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", parts.tm_year + 1900,
                parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return text;
}

std::string YuanText(std::int64_t cents) {
  const bool negative = cents < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  char text[32];
  std::snprintf(text, sizeof text, "%s%llu.%02llu", negative ? "-" : "",
                static_cast<unsigned long long>(magnitude / 100),
                static_cast<unsigned long long>(magnitude % 100));
  return text;
}

std::optional<std::int64_t> ParseId(std::string_view text) {
  if (text.empty() || text.size() > 18) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<std::int64_t> ParseYuan(std::string_view text) {
  const std::size_t dot = text.find('.');
  const auto whole = ParseId(text.substr(0, dot));
  if (!whole || *whole > 1'000'000'000) {
    return std::nullopt;
  }
  std::int64_t cents = *whole * 100;
  if (dot != std::string_view::npos) {
    const std::string_view fraction = text.substr(dot + 1);
    const auto digits = ParseId(fraction);
    if (!digits || fraction.size() > 2) {
      return std::nullopt;
    }
    cents += fraction.size() == 1 ? *digits * 10 : *digits;
  }
  return cents;
}

}  // namespace sandbox
