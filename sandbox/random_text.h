#pragma once
// Unpredictable texts from OpenSSL's generator: session ids, code tokens, captchas.

#include <cstdint>
#include <string>

namespace sandbox {

// count random bytes written as 2 * count upper-case hex digits.
std::string RandomHex(std::size_t count);
// count random decimal digits.
std::string RandomDigitText(std::size_t count);
// A random 64-bit number (seeds for the drawing of pictures).
std::uint64_t RandomNumber();

}  // namespace sandbox
