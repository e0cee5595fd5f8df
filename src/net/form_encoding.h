#pragma once
// Values of the form bodies sent to the platform.

#include <string>
#include <string_view>

namespace hosting::net {

// UTF-8 value -> GBK bytes for a form body, with '%', '&', '+', '=' and control characters
// (bytes below 0x20 and 0x7F) written as %XX so that the platform reads the value intact.
std::string FormValue(std::string_view utf8);
// Every byte of the UTF-8 text other than A-Z a-z 0-9 - . as %XX (upper-case hex); "_", "~" and
// blanks are encoded too, as the platform expects.
std::string PercentEncodeUtf8(std::string_view utf8);

}  // namespace hosting::net
