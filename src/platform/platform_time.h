#pragma once
// Time stamps of the platform (decimal texts) as the lists show them.

#include <string>
#include <string_view>

namespace hosting::platform {

// How the member's locale writes a time of day. The program fills it from the system locale;
// tests set it directly.
struct ClockConvention {
  bool twelveHour = false;
  std::string amMarker = "AM";
  std::string pmMarker = "PM";
  bool markerFirst = false;  // "上午 08:00:00" rather than "08:00:00 AM"
};

// 10 characters: seconds since 1970 shown as UTC+8 wall time, "yyyy-M-dd HH:mm:ss" (24-hour
// locales) or "yyyy-M-dd hh:mm:ss" with the locale's AM/PM marker. Any other text: milliseconds
// since 1970 shown in the computer's own time zone as year-month-day with month and day
// unpadded and a 24-hour "HH:mm:ss". Empty, non-numeric or out-of-range text gives "".
std::string FormatPlatformTime(std::string_view stamp, const ClockConvention& clock = {});

}  // namespace hosting::platform
