#pragma once

namespace hosting::testing_support {

// What every captcha of a test sandbox reads, in process or as a program (--fixed-captcha).
inline constexpr const char* kCaptcha = "4711";

}  // namespace hosting::testing_support
