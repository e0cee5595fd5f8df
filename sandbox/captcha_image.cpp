#include "sandbox/captcha_image.h"

#include <algorithm>
#include <array>
#include <random>

#include "sandbox/bitmap.h"

namespace sandbox {

namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kScale = 2;
constexpr int kMaxDigits = 4;

// Rows of the digits 0-9, five bits each, most significant bit on the left.
constexpr std::array<std::array<std::uint8_t, kGlyphHeight>, 10> kDigitFont = {{
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
}};

void DrawDigit(Bitmap& image, int digit, int left, int top, std::uint32_t colour) {
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int col = 0; col < kGlyphWidth; ++col) {
      if (kDigitFont[static_cast<std::size_t>(digit)][static_cast<std::size_t>(row)] &
          (0x10 >> col)) {
        image.FillRect(left + col * kScale, top + row * kScale, kScale, kScale, colour);
      }
    }
  }
}

std::uint32_t Shade(std::mt19937_64& random, std::uint32_t low, std::uint32_t high) {
  std::uniform_int_distribution<std::uint32_t> part(low, high);
  return (part(random) << 16) | (part(random) << 8) | part(random);
}

}  // namespace

std::string RenderCaptcha(std::string_view code, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  Bitmap image(kCaptchaWidth, kCaptchaHeight, Shade(random, 0xE0, 0xFF));
  std::uniform_int_distribution<int> x(0, kCaptchaWidth - 1);
  std::uniform_int_distribution<int> y(0, kCaptchaHeight - 1);
  for (int i = 0; i < 120; ++i) {
    image.Set(x(random), y(random), Shade(random, 0x90, 0xD0));
  }
  std::uniform_int_distribution<int> jitter(-2, 2);
  const int step = (kCaptchaWidth - 8) / kMaxDigits;
  for (std::size_t i = 0; i < code.size() && i < static_cast<std::size_t>(kMaxDigits); ++i) {
    if (code[i] < '0' || code[i] > '9') {
      continue;
    }
    const int left = 6 + static_cast<int>(i) * step + jitter(random);
    const int top = (kCaptchaHeight - kGlyphHeight * kScale) / 2 + jitter(random);
    DrawDigit(image, code[i] - '0', left, top, Shade(random, 0x00, 0x70));
  }
  // A wavy stroke through the digits.
  const std::uint32_t stroke = Shade(random, 0x40, 0x90);
  int row = y(random);
  for (int col = 0; col < kCaptchaWidth; ++col) {
    row = std::clamp(row + jitter(random) / 2, 2, kCaptchaHeight - 3);
    image.Set(col, row, stroke);
  }
  return image.ToBmp();
}

}  // namespace sandbox
