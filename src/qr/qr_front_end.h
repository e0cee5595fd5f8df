#pragma once
// The QR generator's entry point: a text in, the bytes of a 24-bit BMP file out.
//
//   try {
//     const auto bmp = hosting::qr::创建二维码(loginText, "Q", boxWidth, boxHeight);
//   } catch (const hosting::qr::QrError& error) {
//     // show error.report() titled hosting::qr::kReportTitle, then abandon the flow
//   }
//
// Safe to call from several threads at once.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "qr/qr_error.h"

namespace hosting::qr {

// Colours are 0xRRGGBB.
using RgbColour = std::uint32_t;
inline constexpr RgbColour kWhite = 0xFFFFFF;
inline constexpr RgbColour kBlack = 0x000000;

// content: UTF-8 text, encoded as it is (numeric, alphanumeric or byte mode).
// level: "L", "M", "Q" or "H", ASCII case ignored, no trimming; absent = "L".
// width / height: picture size in pixels; absent or below 1 = 100.
// Returns a complete BMP file of width x height pixels: the symbol with a quiet zone of at least
// two modules, scaled by the largest whole factor that fits and centred (a picture smaller
// than the symbol shows its top-left part).
// Throws QrError: content empty or only blanks (ASCII or full-width spaces), a level other than
// L/M/Q/H, content too long for a version-40 symbol, or a picture over 64 MiB.
std::vector<std::uint8_t> 创建二维码(std::string_view content,
                                     std::optional<std::string_view> level = std::nullopt,
                                     std::optional<std::int64_t> width = std::nullopt,
                                     std::optional<std::int32_t> height = std::nullopt,
                                     RgbColour light = kWhite, RgbColour dark = kBlack);

}  // namespace hosting::qr
