#pragma once
// Time and money as the platform counts them: days in China Standard Time (UTC+8), amounts in
// integer cents.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sandbox {

inline constexpr std::int64_t kDayMs = 86'400'000;
inline constexpr std::int64_t kUtc8OffsetMs = 8 * 3'600'000;

// The first millisecond of the UTC+8 calendar day that holds nowMs.
std::int64_t DayStartMs(std::int64_t nowMs);
// "yyyyMMddHHmmss" in UTC+8.
std::string CompactTime(std::int64_t ms);
// 1234 -> "12.34", -5 -> "-0.05".
std::string YuanText(std::int64_t cents);
// "12", "12.3", "12.34" (an optional leading '-' is refused) -> cents; nullopt for anything else
// or for more than 1,000,000,000 yuan.
std::optional<std::int64_t> ParseYuan(std::string_view text);
// A decimal integer without sign, blanks or more than 18 digits.
std::optional<std::int64_t> ParseId(std::string_view text);

}  // namespace sandbox
