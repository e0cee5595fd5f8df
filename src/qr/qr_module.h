#pragma once
// 二维码模块: the steps behind 创建二维码, open for tools and tests.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "qr/byte_matrix.h"
#include "qr/ec_level.h"
#include "qr/qr_code.h"
#include "qr/qr_front_end.h"

namespace hosting::qr {

inline constexpr const char* kModuleName = "二维码模块";
// Largest bitmap (and scaled matrix) 创建二维码 builds, in bytes.
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{64} << 20;

// Encodes content at level into a fresh QR code object.
二维码类 EncodeSymbol(std::string_view content, const EcLevel& level);
// The checks of 创建二维码 on content and level (see there), then EncodeSymbol.
二维码类 EncodeContent(std::string_view content, std::optional<std::string_view> level);
// Encodes content and scales the symbol with RenderMatrix.
字节矩阵类 EncodeToMatrix(std::string_view content, const EcLevel& level, int width, int height);
// Scales qr's n x n symbol into a max(width, n + 4) x max(height, n + 4) matrix: the largest
// whole module size that leaves two modules of quiet zone, centred, 1 = dark.
字节矩阵类 RenderMatrix(const 二维码类& qr, int width, int height);
// A 24-bit BMP file of width x height pixels: dark where the matrix cell is 1, light elsewhere.
std::vector<std::uint8_t> PaintBitmap(const 字节矩阵类& cells, int width, int height,
                                      RgbColour light, RgbColour dark);

}  // namespace hosting::qr
