#include <limits>
#include <random>

#include "net/text_helpers.h"

namespace hosting::net {

std::int32_t RandomInRange(std::int32_t minimum, std::int32_t maximum) {
  if (maximum == 0) {
    maximum = std::numeric_limits<std::int32_t>::max();
  }
  if (maximum < minimum) {
    return minimum;
  }
  // One engine per thread, seeded once from the system's entropy: no locking, no shared state.
  thread_local std::mt19937 engine{std::random_device{}()};
  return std::uniform_int_distribution<std::int32_t>{minimum, maximum}(engine);
}

std::string RandomDigits(int count, int kind) {
  constexpr std::string_view kOdd = "13579";
  constexpr std::string_view kEven = "02468";
  std::string digits;
  for (int i = 0; i < count; ++i) {
    if (kind == 0) {
      digits += static_cast<char>('0' + RandomInRange(0, 9));
    } else {
      digits += (kind == 1 ? kOdd : kEven)[static_cast<std::size_t>(RandomInRange(1, 5) - 1)];
    }
  }
  return digits;
}

}  // namespace hosting::net
