#pragma once
// The private-profile rules on the bytes of an INI file in GBK: which line holds a section's key,
// how a value is read, and how a key is set while every other line stays as it was.
// Section and key names are UTF-8 and match case-insensitively (ASCII letters).

#include <optional>
#include <string>
#include <string_view>

namespace hosting::settings {

// Longest value handed out, in GBK bytes (the read buffer of the system's profile functions).
inline constexpr std::size_t kMaxProfileValueBytes = 10239;

// The GBK value of `key` in `section`, trimmed of blanks and cut to kMaxProfileValueBytes; nothing
// when the section or the key is missing.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key);

// The content with `key` in `section` set to the GBK bytes of gbkValue: the key's line replaced in
// place, or a new line after the section's last entry, or a new section at the end.
std::string WithProfileValue(std::string_view content, std::string_view section,
                             std::string_view key, std::string_view gbkValue);

}  // namespace hosting::settings
