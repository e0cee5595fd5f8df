#pragma once
// The captcha picture: decimal digits drawn with a built-in bitmap font over light noise.

#include <cstdint>
#include <string>
#include <string_view>

namespace sandbox {

inline constexpr int kCaptchaWidth = 80;
inline constexpr int kCaptchaHeight = 30;

// A kCaptchaWidth x kCaptchaHeight BMP showing the digits of code (other characters are left
// blank; at most 4 are drawn). seed varies jitter, colours and noise.
std::string RenderCaptcha(std::string_view code, std::uint64_t seed);

}  // namespace sandbox
