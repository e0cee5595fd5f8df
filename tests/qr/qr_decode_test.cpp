// Symbols of every version, level and mode, drawn and read back by zxing.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "qr/qr_front_end.h"
#include "qr/qr_module.h"
#include "qr/qr_version.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

enum Kind { kNumeric, kAlphanumeric, kText };

int DataBits(Kind kind, int count) {
  constexpr int kNumericTail[] = {0, 4, 7};
  return kind == kNumeric        ? 10 * (count / 3) + kNumericTail[count % 3]
         : kind == kAlphanumeric ? 11 * (count / 2) + 6 * (count % 2)
                                 : 8 * count;
}

int DataBytes(int version, const EcLevel& level) {
  const QrVersion& v = QrVersion::取版本_通过版本号(std::max(version, 1));
  return version == 0 ? 3
                      : v.GetTotalCodewords() - v.GetEcBlocksForLevel(level).GetTotalEcCodewords();
}

std::string MakeText(Kind kind, int bytes, std::mt19937& random) {
  constexpr std::string_view kAlphanumericChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
  const auto pick = [&](int high) {
    return static_cast<std::size_t>(std::uniform_int_distribution(0, high)(random));
  };
  std::string text;
  for (int count = 1; (DataBits(kind, count) + 7) / 8 <= bytes; ++count) {
    text += kind == kText ? static_cast<char>(0x20 + pick(94))
                          : kAlphanumericChars[pick(kind == kNumeric ? 9 : 44)];
  }
  if (kind == kAlphanumeric)
    text[text.size() / 2] = 'Z';  // at least one character that is not a digit
  return text;
}

TEST(QrDecode, ZxingReadsBackEveryModeLevelAndVersion) {
  std::mt19937 random(20240601);
  std::set<std::string> modes;
  for (int index = 0; index < 2 * 40 * 4; ++index) {
    const int version = index / 4 % 40 + 1;
    const EcLevel& level = EcLevels()[static_cast<std::size_t>(index % 4)];
    const auto kind = static_cast<Kind>((index + index / 160 * 2 + version) % 3);
    // Input that the "+ 3" rule places in exactly this version.
    const int bytes = std::uniform_int_distribution(std::max(DataBytes(version - 1, level) - 2, 1),
                                                    DataBytes(version, level) - 3)(random);
    const std::string text = MakeText(kind, bytes, random);
    SCOPED_TRACE(testing::Message() << "v" << version << " " << level.GetName() << " kind " << kind
                                    << " bytes " << bytes);
    const 二维码类 code = EncodeSymbol(text, level);
    ASSERT_EQ(code.GetVersion(), version);
    modes.insert(code.GetMode().GetName());
    // Two pixels a module; QrRender checks the scaling to other sizes.
    const int side = 2 * (17 + 4 * version + 4);
    ASSERT_EQ(test::DecodeBmp(创建二维码(text, level.GetName(), side, side)), text);
  }
  EXPECT_EQ(modes, (std::set<std::string>{"数字", "字母数字", "字节"}));
}

}  // namespace
}  // namespace hosting::qr
