#include "platform/platform_time.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <limits>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

namespace hosting::platform {
namespace {

constexpr std::int64_t kUtc8Offset = 8 * 3600;
// The largest time a script date holds: 100,000,000 days either side of 1970, in milliseconds.
constexpr double kMaxMilliseconds = 8.64e15;

std::optional<std::int64_t> ParseSeconds(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// Blanks around the number are allowed, as a script's number conversion allows them.
std::optional<double> ParseMilliseconds(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value) || std::fabs(value) > kMaxMilliseconds) {
    return std::nullopt;
  }
  return std::trunc(value);
}

struct WallTime {
  long long year;
  unsigned month, day, hour, minute, second;
};

WallTime CivilTime(std::int64_t secondsSinceEpoch) {
  using namespace std::chrono;
  const sys_seconds moment{seconds{secondsSinceEpoch}};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const hh_mm_ss clock{moment - day};
  return {static_cast<int>(date.year()),
          static_cast<unsigned>(date.month()),
          static_cast<unsigned>(date.day()),
          static_cast<unsigned>(clock.hours().count()),
          static_cast<unsigned>(clock.minutes().count()),
          static_cast<unsigned>(clock.seconds().count())};
}

std::string Printed(const char* format, auto... values) {
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, format, values...);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string FormatSeconds(std::int64_t seconds, const ClockConvention& clock) {
  const WallTime t = CivilTime(seconds + kUtc8Offset);
  const std::string date = Printed("%04lld-%u-%02u ", t.year, t.month, t.day);
  if (!clock.twelveHour) {
    return date + Printed("%02u:%02u:%02u", t.hour, t.minute, t.second);
  }
  const unsigned hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  const std::string time = Printed("%02u:%02u:%02u", hour12, t.minute, t.second);
  const std::string& marker = t.hour < 12 ? clock.amMarker : clock.pmMarker;
  if (marker.empty()) {
    return date + time;
  }
  return date + (clock.markerFirst ? marker + " " + time : time + " " + marker);
}

#ifdef _WIN32
// The C runtime refuses times before 1970; the system's own conversion counts from 1601.
std::optional<std::tm> LocalTime(std::time_t seconds) {
  constexpr long long kSeconds1601To1970 = 11644473600LL;
  constexpr long long kTicksPerSecond = 10'000'000LL;
  if (seconds < -kSeconds1601To1970 ||
      seconds > std::numeric_limits<long long>::max() / kTicksPerSecond - kSeconds1601To1970) {
    return std::nullopt;
  }
  const auto ticks =
      static_cast<unsigned long long>((seconds + kSeconds1601To1970) * kTicksPerSecond);
  const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&file, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return std::nullopt;
  }
  std::tm tm{};
  tm.tm_year = local.wYear - 1900;
  tm.tm_mon = local.wMonth - 1;
  tm.tm_mday = local.wDay;
  tm.tm_hour = local.wHour;
  tm.tm_min = local.wMinute;
  tm.tm_sec = local.wSecond;
  return tm;
}
#else
std::optional<std::tm> LocalTime(std::time_t seconds) {
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) {
    return std::nullopt;
  }
  return local;
}
#endif

// The local wall time of the computer, as a script engine would print the date.
std::string FormatMilliseconds(double milliseconds) {
  const auto local = LocalTime(static_cast<std::time_t>(std::floor(milliseconds / 1000.0)));
  if (!local) {
    return {};
  }
  return Printed("%lld-%d-%d %02d:%02d:%02d", static_cast<long long>(local->tm_year) + 1900,
                 local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
}

}  // namespace

std::string FormatPlatformTime(std::string_view stamp, const ClockConvention& clock) {
  if (stamp.empty()) {
    return {};
  }
  if (stamp.size() == 10) {
    const auto seconds = ParseSeconds(stamp);
    return seconds ? FormatSeconds(*seconds, clock) : std::string();
  }
  const auto milliseconds = ParseMilliseconds(stamp);
  return milliseconds ? FormatMilliseconds(*milliseconds) : std::string();
}

}  // namespace hosting::platform
