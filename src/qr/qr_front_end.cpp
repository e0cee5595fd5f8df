#include "qr/qr_front_end.h"

#include <algorithm>
#include <string>

#include "qr/encoder.h"
#include "qr/qr_module.h"

namespace hosting::qr {
namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";
constexpr int kDefaultSize = 100;

bool IsBlank(std::string_view content) {
  while (!content.empty()) {
    if (content.front() == ' ') {
      content.remove_prefix(1);
    } else if (content.starts_with(kFullWidthSpace)) {
      content.remove_prefix(kFullWidthSpace.size());
    } else {
      return false;
    }
  }
  return true;
}

EcLevel ResolveLevel(std::optional<std::string_view> level) {
  if (!level) {
    return 二维码类::取容错级别_按索引(1);
  }
  std::string upper(*level);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  for (int position = 1; position <= 4; ++position) {
    EcLevel candidate = 二维码类::取容错级别_按索引(position);
    if (upper == candidate.GetName()) {
      return candidate;
    }
  }
  RaiseQrError(kModuleName, "创建二维码", "容错等级必须为L、M、Q、H四个之一。");
}

// Both the bitmap and the scaled matrix behind it (at most a version-40 symbol with its quiet
// zone a side) must stay within kMaxPictureBytes.
void RequireModestSize(std::int64_t width, std::int64_t height) {
  constexpr std::uint64_t kLargestSymbol = 177 + 4;
  const auto w = static_cast<std::uint64_t>(width);
  const auto h = static_cast<std::uint64_t>(height);
  const bool fits = w <= kMaxPictureBytes && h <= kMaxPictureBytes &&
                    ((w * 3 + 3) & ~std::uint64_t{3}) * h <= kMaxPictureBytes &&
                    std::max(w, kLargestSymbol) * std::max(h, kLargestSymbol) <= kMaxPictureBytes;
  if (!fits) {
    RaiseQrError(kModuleName, "创建二维码", "图片尺寸过大");
  }
}

void RequireContent(std::string_view content) {
  if (IsBlank(content)) {
    RaiseQrError(kModuleName, "编码", "没有编码内容");
  }
}

}  // namespace

二维码类 EncodeSymbol(std::string_view content, const EcLevel& level) {
  二维码类 qr;
  编码类().编码(content, level, qr);
  return qr;
}

字节矩阵类 EncodeToMatrix(std::string_view content, const EcLevel& level, int width, int height) {
  return RenderMatrix(EncodeSymbol(content, level), width, height);
}

二维码类 EncodeContent(std::string_view content, std::optional<std::string_view> level) {
  RequireContent(content);
  return EncodeSymbol(content, ResolveLevel(level));
}

std::vector<std::uint8_t> 创建二维码(std::string_view content,
                                     std::optional<std::string_view> level,
                                     std::optional<std::int64_t> width,
                                     std::optional<std::int32_t> height, RgbColour light,
                                     RgbColour dark) {
  RequireContent(content);
  const EcLevel resolved = ResolveLevel(level);
  const std::int64_t w = (width && *width > 0) ? *width : kDefaultSize;
  const std::int32_t h = (height && *height >= 1) ? *height : kDefaultSize;
  RequireModestSize(w, h);
  const auto cells = EncodeToMatrix(content, resolved, static_cast<int>(w), h);
  return PaintBitmap(cells, static_cast<int>(w), h, light, dark);
}

}  // namespace hosting::qr
