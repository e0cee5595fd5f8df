#include "qr/encoder.h"

#include <algorithm>
#include <climits>
#include <string>

#include "qr/mask_util.h"
#include "qr/matrix_util.h"
#include "qr/qr_error.h"
#include "qr/rs_encoder.h"
#include "qr/symbol_layout.h"

namespace hosting::qr {
namespace {

// The alphanumeric set by ASCII code 0-95: digits 0-9, capitals 10-35, then " $%*+-./:".
constexpr int kAlphanumericTable[96] = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x00-0x0f
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x10-0x1f
    36, -1, -1, -1, 37, 38, -1, -1, -1, -1, 39, 40, -1, 41, 42, 43,  // 0x20-0x2f
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  44, -1, -1, -1, -1, -1,  // 0x30-0x3f
    -1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,  // 0x40-0x4f
    25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, -1, -1, -1, -1, -1,  // 0x50-0x5f
};

int Digit(char c) {
  return c - '0';
}

}  // namespace

void 编码类::编码(std::string_view content, const EcLevel& level, 二维码类& qr) const {
  const QrMode& mode = ChooseMode(content);
  位向量子类 dataBits;
  AppendBytes(content, mode, dataBits);
  初始化二维码(dataBits.GetSizeInBytes(), level, mode, qr);

  位向量子类 headerAndDataBits;
  AppendModeInfo(mode, headerAndDataBits);
  const int numLetters = mode.GetBits() == QrMode::Byte().GetBits()
                             ? dataBits.GetSizeInBytes()
                             : static_cast<int>(content.size());
  追加长度信息(numLetters, qr.GetVersion(), mode, headerAndDataBits);
  headerAndDataBits.AppendBitVector(dataBits);
  结束数据位(qr.GetNumDataBytes(), headerAndDataBits);

  const 位向量子类 finalBits = 交错容错字节(headerAndDataBits, qr.GetNumTotalBytes(),
                                            qr.GetNumDataBytes(), qr.GetNumRsBlocks());
  const QrVersion& version = QrVersion::取版本_通过版本号(qr.GetVersion());
  const int mask = ChooseMaskPattern(finalBits, level, version);
  qr.SetMaskPattern(mask);
  字节矩阵类 matrix;
  矩阵应用类::BuildMatrix(finalBits, level, version, mask, matrix,
                          SymbolLayout::ForVersion(version).DataCells());
  qr.SetMatrix(std::move(matrix));
  if (!qr.IsValid()) {
    RaiseQrError(kClassName, "编码", "无效的二维码");
  }
}

void 编码类::初始化二维码(int numInputBytes, const EcLevel& level, const QrMode& mode,
                          二维码类& qr) const {
  qr.SetEcLevel(level);
  qr.SetMode(mode);
  for (int number = 1; number <= 40; ++number) {
    const QrVersion& version = QrVersion::取版本_通过版本号(number);
    const EcBlocks& blocks = version.GetEcBlocksForLevel(level);
    const int numBytes = version.GetTotalCodewords();
    const int numEcBytes = blocks.GetTotalEcCodewords();
    const int numDataBytes = numBytes - numEcBytes;
    if (numDataBytes >= numInputBytes + 3) {
      qr.SetVersion(number);
      qr.SetNumTotalBytes(numBytes);
      qr.SetNumDataBytes(numDataBytes);
      qr.SetNumRsBlocks(blocks.GetNumBlocks());
      qr.SetNumEcBytes(numEcBytes);
      qr.SetMatrixWidth(version.GetDimension());
      return;
    }
  }
  RaiseQrError(kClassName, "初始化二维码", "");
}

void 编码类::AppendBytes(std::string_view content, const QrMode& mode, 位向量类& bits) const {
  if (mode.GetBits() == QrMode::Numeric().GetBits()) {
    AppendNumericBytes(content, bits);
  } else if (mode.GetBits() == QrMode::Alphanumeric().GetBits()) {
    追加字母数字字节(content, bits);
  } else {
    Append8BitBytes(content, bits);
  }
}

void 编码类::AppendNumericBytes(std::string_view content, 位向量类& bits) const {
  std::size_t i = 0;
  for (; i + 3 <= content.size(); i += 3) {
    const int value = Digit(content[i]) * 100 + Digit(content[i + 1]) * 10 + Digit(content[i + 2]);
    bits.AppendBits(static_cast<std::uint32_t>(value), 10);
  }
  if (content.size() - i == 2) {
    bits.AppendBits(static_cast<std::uint32_t>(Digit(content[i]) * 10 + Digit(content[i + 1])), 7);
  } else if (content.size() - i == 1) {
    bits.AppendBits(static_cast<std::uint32_t>(Digit(content[i])), 4);
  }
}

void 编码类::追加字母数字字节(std::string_view content, 位向量类& bits) const {
  const auto code = [&](std::size_t i) {
    const int value = GetAlphanumericCode(static_cast<unsigned char>(content[i]));
    if (value == -1) {
      RaiseQrError(kClassName, "追加字母数字字节", "无效值");
    }
    return value;
  };
  std::size_t i = 0;
  for (; i + 2 <= content.size(); i += 2) {
    bits.AppendBits(static_cast<std::uint32_t>(code(i) * 45 + code(i + 1)), 11);
  }
  if (i < content.size()) {
    bits.AppendBits(static_cast<std::uint32_t>(code(i)), 6);
  }
}

void 编码类::Append8BitBytes(std::string_view content, 位向量类& bits) const {
  for (const char c : content) {
    bits.AppendByte(static_cast<std::uint8_t>(c));
  }
}

const QrMode& 编码类::ChooseMode(std::string_view content) const {
  bool hasNumeric = false;
  bool hasAlphanumeric = false;
  for (const char c : content) {
    if (c >= '0' && c <= '9') {
      hasNumeric = true;
    } else if (GetAlphanumericCode(static_cast<unsigned char>(c)) != -1) {
      hasAlphanumeric = true;
    } else {
      return QrMode::Byte();  // also every byte of a multi-byte character
    }
  }
  if (hasAlphanumeric) {
    return QrMode::Alphanumeric();
  }
  return hasNumeric ? QrMode::Numeric() : QrMode::Byte();
}

int 编码类::GetAlphanumericCode(int code) const {
  return (code >= 0 && code < 96) ? kAlphanumericTable[code] : -1;
}

void 编码类::AppendModeInfo(const QrMode& mode, 位向量类& bits) const {
  bits.AppendBits(static_cast<std::uint32_t>(mode.GetBits()), 4);
}

void 编码类::追加长度信息(int numLetters, int version, const QrMode& mode, 位向量类& bits) const {
  const int numBits = mode.GetCharacterCountBits(version);
  if (numLetters >= (1 << numBits)) {
    RaiseQrError(kClassName, "追加长度信息", "要添加信息过多");
  }
  bits.AppendBits(static_cast<std::uint32_t>(numLetters), numBits);
}

void 编码类::结束数据位(int numDataBytes, 位向量类& bits) const {
  const int capacity = numDataBytes * 8;
  if (bits.GetSize() > capacity) {
    RaiseQrError(kClassName, "结束数据位", "数据无法填充");
  }
  bits.AppendBits(0, std::min(4, capacity - bits.GetSize()));
  if (bits.GetSize() % 8 != 0) {
    bits.AppendBits(0, 8 - bits.GetSize() % 8);
  }
  const int numPaddingBytes = numDataBytes - bits.GetSizeInBytes();
  for (int i = 0; i < numPaddingBytes; ++i) {
    bits.AppendByte(i % 2 == 0 ? 0xEC : 0x11);
  }
  if (bits.GetSize() % 8 != 0) {
    RaiseQrError(kClassName, "结束数据位", "位数不是8的倍数");
  }
  if (bits.GetSize() != capacity) {
    RaiseQrError(kClassName, "结束数据位", "位长度不等于容量");
  }
}

位向量子类 编码类::交错容错字节(const 位向量类& bits, int numTotalBytes, int numDataBytes,
                                int numRsBlocks) const {
  if (bits.GetSizeInBytes() != numDataBytes) {
    RaiseQrError(kClassName, "交错容错字节", "位数和数据字节数不匹配");
  }
  struct Block {
    std::span<const std::uint8_t> data;
    std::vector<std::uint8_t> ec;
  };
  std::vector<Block> blocks;
  blocks.reserve(static_cast<std::size_t>(numRsBlocks));
  std::size_t dataBytesOffset = 0;
  std::size_t maxNumDataBytes = 0;
  std::size_t maxNumEcBytes = 0;
  for (int id = 0; id < numRsBlocks; ++id) {
    const BlockSizes sizes =
        根据块ID取数据字节数和容错字节数(numTotalBytes, numDataBytes, numRsBlocks, id);
    const auto data =
        bits.Bytes().subspan(dataBytesOffset, static_cast<std::size_t>(sizes.numDataBytes));
    blocks.push_back({data, GenerateEcBytes(data, sizes.numEcBytes)});
    maxNumDataBytes = std::max(maxNumDataBytes, data.size());
    maxNumEcBytes = std::max(maxNumEcBytes, blocks.back().ec.size());
    dataBytesOffset += data.size();
  }
  if (dataBytesOffset != static_cast<std::size_t>(numDataBytes)) {
    RaiseQrError(kClassName, "交错容错字节", "数据字节数写偏移量不匹配");
  }
  位向量子类 result;
  for (std::size_t i = 0; i < maxNumDataBytes; ++i) {
    for (const Block& block : blocks) {
      if (i < block.data.size()) {
        result.AppendByte(block.data[i]);
      }
    }
  }
  for (std::size_t i = 0; i < maxNumEcBytes; ++i) {
    for (const Block& block : blocks) {
      if (i < block.ec.size()) {
        result.AppendByte(block.ec[i]);
      }
    }
  }
  if (result.GetSize() != numTotalBytes * 8) {
    RaiseQrError(kClassName, "交错容错字节", "交错出错");
  }
  return result;
}

编码类::BlockSizes 编码类::根据块ID取数据字节数和容错字节数(int numTotalBytes, int numDataBytes,
                                                            int numRsBlocks, int blockId) const {
  const auto invalid = [] {
    RaiseQrError(kClassName, "根据块ID取数据字节数和容错字节数", "无效值");
  };
  if (numRsBlocks < 1 || blockId < 0 || blockId >= numRsBlocks) {
    invalid();
  }
  const int numRsBlocksInGroup2 = numTotalBytes % numRsBlocks;
  const int numRsBlocksInGroup1 = numRsBlocks - numRsBlocksInGroup2;
  const int numTotalBytesInGroup1 = numTotalBytes / numRsBlocks;
  const int numTotalBytesInGroup2 = numTotalBytesInGroup1 + 1;
  const int numDataBytesInGroup1 = numDataBytes / numRsBlocks;
  const int numDataBytesInGroup2 = numDataBytesInGroup1 + 1;
  const int numEcBytesInGroup1 = numTotalBytesInGroup1 - numDataBytesInGroup1;
  const int numEcBytesInGroup2 = numTotalBytesInGroup2 - numDataBytesInGroup2;
  if (numEcBytesInGroup1 != numEcBytesInGroup2 ||
      numRsBlocks != numRsBlocksInGroup1 + numRsBlocksInGroup2 ||
      numTotalBytes != (numDataBytesInGroup1 + numEcBytesInGroup1) * numRsBlocksInGroup1 +
                           (numDataBytesInGroup2 + numEcBytesInGroup2) * numRsBlocksInGroup2) {
    invalid();
  }
  if (blockId < numRsBlocksInGroup1) {
    return {numDataBytesInGroup1, numEcBytesInGroup1};
  }
  return {numDataBytesInGroup2, numEcBytesInGroup2};
}

std::vector<std::uint8_t> 编码类::GenerateEcBytes(std::span<const std::uint8_t> dataBytes,
                                                  int numEcBytes) const {
  std::vector<std::uint8_t> block(dataBytes.begin(), dataBytes.end());
  block.resize(block.size() + static_cast<std::size_t>(numEcBytes), 0);
  QrReedSolomon().编码(block, numEcBytes);
  return std::vector<std::uint8_t>(block.end() - numEcBytes, block.end());
}

int 编码类::CalculateMaskPenalty(const PackedSymbol& symbol) const {
  return 掩码辅助类::ApplyMaskPenaltyRule1(symbol) + 掩码辅助类::ApplyMaskPenaltyRule2(symbol) +
         掩码辅助类::ApplyMaskPenaltyRule3(symbol) + 掩码辅助类::ApplyMaskPenaltyRule4(symbol);
}

int 编码类::ChooseMaskPattern(const 位向量类& bits, const EcLevel& level,
                              const QrVersion& version) const {
  const SymbolLayout& layout = SymbolLayout::ForVersion(version);
  const PackedSymbol placed = layout.PlaceBits(bits);
  PackedSymbol candidate(layout.Dimension());
  int minPenalty = INT_MAX;
  int bestMask = -1;
  for (int mask = 0; mask < 二维码类::kNumMaskPatterns; ++mask) {
    layout.Compose(placed, level, mask, candidate);
    const int penalty = CalculateMaskPenalty(candidate);
    if (penalty < minPenalty) {
      minPenalty = penalty;
      bestMask = mask;
    }
  }
  return bestMask;
}

}  // namespace hosting::qr
