// The encoder against ISO/IEC 18004: the worked example, format and version information,
// function patterns, mode choice, the version rule and the block split.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "qr/encoder.h"
#include "qr/matrix_util.h"
#include "qr/qr_error.h"
#include "qr/qr_module.h"
#include "qr/qr_version.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

const EcLevel& Level(std::string_view name) {
  for (const EcLevel& level : EcLevels()) {
    if (level.GetName() == name) {
      return level;
    }
  }
  throw std::invalid_argument("no level");
}

std::vector<std::uint8_t> BytesOf(const 位向量类& bits) {
  return {bits.Bytes().begin(), bits.Bytes().end()};
}

TEST(QrStandard, WorkedExampleOneMGivesTheStandardsCodewords) {
  const 编码类 encoder;
  const std::string text = "01234567";
  const QrMode& mode = encoder.ChooseMode(text);
  EXPECT_EQ(mode.GetName(), "数字");
  位向量子类 data;
  encoder.AppendBytes(text, mode, data);
  二维码类 qr;
  encoder.初始化二维码(data.GetSizeInBytes(), Level("M"), mode, qr);
  EXPECT_EQ(qr.GetVersion(), 1);
  EXPECT_EQ(qr.GetNumDataBytes(), 16);
  位向量子类 bits;
  encoder.AppendModeInfo(mode, bits);
  encoder.追加长度信息(static_cast<int>(text.size()), qr.GetVersion(), mode, bits);
  bits.AppendBitVector(data);
  EXPECT_EQ(bits.到字符串(), "00010000001000000000110001010110011000011");
  encoder.结束数据位(qr.GetNumDataBytes(), bits);
  const std::vector<std::uint8_t> dataCodewords = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                                   0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
  EXPECT_EQ(BytesOf(bits), dataCodewords);
  const std::vector<std::uint8_t> ecCodewords = {165, 36, 212, 193, 237, 54, 199, 135, 44, 85};
  EXPECT_EQ(encoder.GenerateEcBytes(dataCodewords, 10), ecCodewords);

  auto all = dataCodewords;
  all.insert(all.end(), ecCodewords.begin(), ecCodewords.end());
  EXPECT_EQ(BytesOf(encoder.交错容错字节(bits, qr.GetNumTotalBytes(), qr.GetNumDataBytes(),
                                         qr.GetNumRsBlocks())),
            all);
}

TEST(QrStandard, FormatAndVersionInformationWords) {
  // Level M (00) with mask 0: all-zero data, so the word is the xor pattern itself.
  EXPECT_EQ(矩阵应用类::标记类型信息位(Level("M"), 0).到字符串(), "101010000010010");
  // The standard's example: level M, mask 101.
  EXPECT_EQ(矩阵应用类::标记类型信息位(Level("M"), 5).到字符串(), "100000011001110");
  EXPECT_EQ(test::ReportOf([] { 矩阵应用类::标记类型信息位(Level("L"), 8); }),
            "异常来源：[矩阵应用类]\r\n方法名称：标记类型信息位()\r\n异常信息：掩图无效");
  // Version 7: 0x07C94.
  EXPECT_EQ(矩阵应用类::标记版本信息位(QrVersion::取版本_通过版本号(7)).到字符串(),
            "000111110010010100");
}

// Reads the 15 format bits back from one of the two copies in a finished symbol.
std::string FormatCopy(const 字节矩阵类& matrix, int copy) {
  std::string bits(15, '?');
  for (int k = 0; k < 15; ++k) {
    const ModuleCell cell =
        矩阵应用类::TypeInfoCells(k, matrix.GetWidth())[static_cast<std::size_t>(copy)];
    bits[static_cast<std::size_t>(14 - k)] = matrix.Get(cell.x, cell.y) == 1 ? '1' : '0';
  }
  return bits;
}

TEST(QrStandard, SymbolsCarryTheirFormatVersionInformationAndDarkModule) {
  using Case = std::pair<std::string, std::string>;
  for (const auto& [text, levelName] :
       {Case{"hello", "L"}, Case{"HELLO 1", "H"}, Case{std::string(200, 'x'), "Q"}}) {
    const 二维码类 qr = EncodeSymbol(text, Level(levelName));
    const 字节矩阵类& m = qr.GetMatrix();
    const int n = m.GetWidth();
    ASSERT_EQ(n, 17 + 4 * qr.GetVersion());
    const std::string format =
        矩阵应用类::标记类型信息位(qr.GetEcLevel(), qr.GetMaskPattern()).到字符串();
    EXPECT_EQ(FormatCopy(m, 0), format);
    EXPECT_EQ(FormatCopy(m, 1), format);
    EXPECT_EQ(m.Get(8, n - 8), 1);  // the dark module
    for (int y = 0; y < n; ++y) {
      for (int x = 0; x < n; ++x) {
        ASSERT_TRUE(m.Get(x, y) == 0 || m.Get(x, y) == 1) << x << "," << y;
      }
    }
  }
  const 二维码类 v1 = EncodeSymbol("hello", Level("L"));
  EXPECT_EQ(v1.GetMatrix().Get(8, 13), 1);

  // Version 7 carries 0x07C94 in both 6 x 3 blocks, least significant bit nearest the corner.
  const 二维码类 v7 = EncodeSymbol(std::string(150, 'a'), Level("L"));
  ASSERT_EQ(v7.GetVersion(), 7);
  const int n = v7.GetMatrixWidth();
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 3; ++j) {
      const int expected = (0x07C94 >> (i * 3 + j)) & 1;
      EXPECT_EQ(v7.GetMatrix().Get(i, n - 11 + j), expected);
      EXPECT_EQ(v7.GetMatrix().Get(n - 11 + j, i), expected);
    }
  }
}

TEST(QrStandard, DataModulesMatchTheCodewordCapacityOfEveryVersion) {
  // Remainder bits per ISO/IEC 18004 table 1: what is left after the codewords.
  const auto remainderBits = [](int v) {
    if (v >= 2 && v <= 6)
      return 7;
    if ((v >= 14 && v <= 20) || (v >= 28 && v <= 34))
      return 3;
    if (v >= 21 && v <= 27)
      return 4;
    return 0;
  };
  for (int v = 1; v <= 40; ++v) {
    const QrVersion& version = QrVersion::取版本_通过版本号(v);
    字节矩阵类 matrix;
    矩阵应用类::EmbedFunctionPatterns(version, matrix);
    const auto cells = 矩阵应用类::DataCellOrder(matrix);
    EXPECT_EQ(static_cast<int>(cells.size()), version.GetTotalCodewords() * 8 + remainderBits(v))
        << "version " << v;
  }
  EXPECT_EQ(QrVersion::取版本_通过版本号(1).GetTotalCodewords(), 26);
  EXPECT_EQ(QrVersion::取版本_通过版本号(40).GetTotalCodewords(), 3706);
  // Version 1 has no alignment pattern: only the finders' own squares are dark there.
  字节矩阵类 v1;
  矩阵应用类::EmbedFunctionPatterns(QrVersion::取版本_通过版本号(1), v1);
  EXPECT_EQ(v1.Get(14, 14), -1);
  字节矩阵类 v2;
  矩阵应用类::EmbedFunctionPatterns(QrVersion::取版本_通过版本号(2), v2);
  EXPECT_EQ(v2.Get(18, 18), 1);
  EXPECT_EQ(v2.Get(17, 18), 0);
  EXPECT_EQ(test::ReportOf([] { QrVersion::取版本_通过版本号(41); }),
            "异常来源：[QrVersion]\r\n方法名称：取版本_通过版本号()"
            "\r\n异常信息：版本号不在0到40之间。当前版本号：41");
}

TEST(QrStandard, ModeChoiceAndVersionRule) {
  const 编码类 encoder;
  EXPECT_EQ(encoder.ChooseMode("12345").GetName(), "数字");
  EXPECT_EQ(encoder.ChooseMode("HELLO 1").GetName(), "字母数字");
  EXPECT_EQ(encoder.ChooseMode("hello").GetName(), "字节");
  EXPECT_EQ(encoder.ChooseMode("ABC中").GetName(), "字节");
  EXPECT_EQ(encoder.ChooseMode("").GetName(), "字节");
  // 100 bytes at Q need 103 data codewords: version 7-Q holds 88, version 8-Q 110.
  const 二维码类 login = EncodeSymbol(std::string(100, 'u'), Level("Q"));
  EXPECT_EQ(login.GetVersion(), 8);
  EXPECT_EQ(login.GetNumDataBytes(), 110);
  // Byte mode counts UTF-8 bytes: 7 ideographs are 21 bytes.
  位向量子类 bits;
  encoder.追加长度信息(21, 1, QrMode::Byte(), bits);
  EXPECT_EQ(bits.到字符串(), "00010101");
  EXPECT_EQ(test::ReportOf([&] { encoder.追加长度信息(256, 9, QrMode::Byte(), bits); }),
            "异常来源：[编码类]\r\n方法名称：追加长度信息()\r\n异常信息：要添加信息过多");
  EXPECT_EQ(test::ReportOf([] { EncodeSymbol(std::string(2954, 'a'), Level("L")); }),
            "异常来源：[编码类]\r\n方法名称：初始化二维码()\r\n异常信息：");
  EXPECT_EQ(EncodeSymbol(std::string(2953, 'a'), Level("L")).GetVersion(), 40);
}

TEST(QrStandard, TerminatorAndPadding) {
  const 编码类 encoder;
  位向量子类 bits;
  bits.AppendBits(0b101, 3);
  encoder.结束数据位(4, bits);
  EXPECT_EQ(BytesOf(bits), (std::vector<std::uint8_t>{0xA0, 0xEC, 0x11, 0xEC}));
  位向量子类 nearlyFull;
  nearlyFull.AppendBits(0x7FFFF, 30);
  encoder.结束数据位(4, nearlyFull);  // room for only two terminator bits
  EXPECT_EQ(nearlyFull.GetSize(), 32);
  位向量子类 tooLong;
  tooLong.AppendBits(0, 32);
  tooLong.追加位(0);
  EXPECT_EQ(test::ReportOf([&] { encoder.结束数据位(4, tooLong); }),
            "异常来源：[编码类]\r\n方法名称：结束数据位()\r\n异常信息：数据无法填充");
}

TEST(QrStandard, BlockSplitComesFromTheTotals) {
  const 编码类 encoder;
  // Version 5-Q: 134 codewords, 62 data, 4 blocks: 2 x (15 + 18) then 2 x (16 + 18).
  const std::vector<std::pair<int, int>> expected = {{15, 18}, {15, 18}, {16, 18}, {16, 18}};
  for (int id = 0; id < 4; ++id) {
    const auto sizes = encoder.根据块ID取数据字节数和容错字节数(134, 62, 4, id);
    EXPECT_EQ(std::pair(sizes.numDataBytes, sizes.numEcBytes),
              expected[static_cast<std::size_t>(id)]);
  }
  const std::string invalid =
      "异常来源：[编码类]\r\n方法名称：根据块ID取数据字节数和容错字节数()\r\n异常信息：无效值";
  EXPECT_EQ(test::ReportOf([&] { encoder.根据块ID取数据字节数和容错字节数(134, 62, 4, 4); }),
            invalid);

  // Interleaving takes column by column: data of every block, then EC of every block.
  位向量子类 bits;
  for (int i = 0; i < 62; ++i) {
    bits.AppendByte(static_cast<std::uint8_t>(i));
  }
  const auto out = BytesOf(encoder.交错容错字节(bits, 134, 62, 4));
  ASSERT_EQ(out.size(), 134U);
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 6),
            (std::vector<std::uint8_t>{0, 15, 30, 46, 1, 16}));
  EXPECT_EQ(out[60], 45);  // block 3's 16th byte ends the data part after block 2's 16th
  EXPECT_EQ(out[61], 61);
  EXPECT_EQ(test::ReportOf([&] { encoder.交错容错字节(bits, 134, 61, 4); }),
            "异常来源：[编码类]\r\n方法名称：交错容错字节()\r\n异常信息：位数和数据字节数不匹配");
}

}  // namespace
}  // namespace hosting::qr
