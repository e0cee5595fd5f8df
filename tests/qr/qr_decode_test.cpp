// Round trips: every picture we draw must be read back by an independent decoder.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "qr/qr_front_end.h"
#include "qr/qr_module.h"
#include "qr/qr_version.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

enum class Kind { kNumeric, kAlphanumeric, kText, kChinese };
constexpr std::string_view kAlphanumericSet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
constexpr std::string_view kLevelNames[] = {"L", "M", "Q", "H"};

// Bytes of the data bits for count characters of each mode.
int NumericBytes(int digits) {
  constexpr int kTailBits[] = {0, 4, 7};
  return (10 * (digits / 3) + kTailBits[digits % 3] + 7) / 8;
}
int AlphanumericBytes(int count) {
  return (11 * (count / 2) + 6 * (count % 2) + 7) / 8;
}

// Data codewords of a version at a level; version 0 stands for "nothing".
int DataBytes(int version, const EcLevel& level) {
  if (version == 0) {
    return 3;
  }
  const QrVersion& v = QrVersion::取版本_通过版本号(version);
  return v.GetTotalCodewords() - v.GetEcBlocksForLevel(level).GetTotalEcCodewords();
}

// The most characters whose data bits take exactly `bytes` bytes.
template <typename BytesOf>
int CharactersFor(int bytes, BytesOf bytesOf) {
  int count = bytes * 8 / 3;
  while (bytesOf(count) > bytes) {
    --count;
  }
  return count;
}

// A text of `kind` whose data bits take `bytes` bytes.
std::string MakeText(Kind kind, int bytes, std::mt19937& random) {
  std::string text;
  const auto pick = [&](std::string_view set) {
    return set[std::uniform_int_distribution<std::size_t>(0, set.size() - 1)(random)];
  };
  switch (kind) {
    case Kind::kNumeric:
      for (int i = CharactersFor(bytes, NumericBytes); i > 0; --i) {
        text += pick(kAlphanumericSet.substr(0, 10));
      }
      break;
    case Kind::kAlphanumeric: {
      for (int i = CharactersFor(bytes, AlphanumericBytes); i > 0; --i) {
        text += pick(kAlphanumericSet);
      }
      text[text.size() / 2] = 'Z';  // at least one character that is not a digit
      break;
    }
    case Kind::kText:
      for (int i = 0; i < bytes; ++i) {
        text += static_cast<char>(std::uniform_int_distribution<int>(0x20, 0x7E)(random));
      }
      break;
    case Kind::kChinese:
      text = test::RandomChinese(random, bytes / 3) + std::string(bytes % 3, 'a');
      break;
  }
  return text;
}

// The picture shapes: the client's 300 x 200 box, and boxes of one or two pixels a module,
// square or a little off square.
std::pair<int, int> PictureSize(int index, int version) {
  const int quietSymbol = 17 + 4 * version + 4;
  switch (index % 4) {
    case 0:
      return {300, 200};
    case 1:
      return {quietSymbol, quietSymbol};
    case 2:  // two pixels a module for the smaller symbols
      return version <= 20 ? std::pair(quietSymbol * 2 - index % 5, quietSymbol * 2)
                           : std::pair(quietSymbol + index % 5, quietSymbol);
    default:
      return {quietSymbol, quietSymbol + index % 7};
  }
}

TEST(QrDecode, ZxingReadsBackEveryModeLevelAndVersion) {
  std::mt19937 random(20240601);
  std::set<std::tuple<int, int, std::string>> covered;  // version, level, mode
  int decoded = 0;
  for (int round = 0; round < 13; ++round) {
    for (int version = 1; version <= 40; ++version) {
      for (int levelIndex = 0; levelIndex < 4; ++levelIndex) {
        const int index = (round * 40 + version) * 4 + levelIndex;
        const EcLevel& level = EcLevels()[static_cast<std::size_t>(levelIndex)];
        const auto kind = static_cast<Kind>(index % 4);
        // Input bytes the "+ 3" rule places in exactly this version.
        const int low = DataBytes(version - 1, level) - 2;
        const int high = DataBytes(version, level) - 3;
        const int bytes = std::uniform_int_distribution<int>(std::max(low, 1), high)(random);
        const std::string text = MakeText(kind, bytes, random);
        SCOPED_TRACE(testing::Message() << "v" << version << " " << level.GetName() << " kind "
                                        << static_cast<int>(kind) << " bytes " << bytes);

        const 二维码类 code = EncodeSymbol(text, level);
        ASSERT_EQ(code.GetVersion(), version);
        covered.emplace(version, levelIndex, code.GetMode().GetName());

        const auto [width, height] = PictureSize(index, version);
        const auto bmp = index % 16 == 0 ? 创建二维码(text, kLevelNames[levelIndex], width, height)
                                         : PaintBitmap(RenderMatrix(code, width, height), width,
                                                       height, kWhite, kBlack);
        const auto result = test::DecodeBmp(bmp);
        ASSERT_TRUE(result.has_value()) << width << "x" << height;
        ASSERT_EQ(*result, text);
        ++decoded;
      }
    }
  }
  EXPECT_EQ(decoded, 2080);
  std::set<std::string> modes;
  std::set<int> versions;
  for (const auto& [version, level, mode] : covered) {
    modes.insert(mode);
    versions.insert(version);
  }
  EXPECT_EQ(modes, (std::set<std::string>{"数字", "字母数字", "字节"}));
  EXPECT_EQ(versions.size(), 40U);
}

}  // namespace
}  // namespace hosting::qr
