#pragma once
// 编码类: turns a UTF-8 text into a finished QR symbol — mode choice, data bits, version, header,
// padding, Reed-Solomon blocks and interleaving, mask choice and the module matrix. Holds no
// state between calls; any number of encoders may run at once.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "qr/bit_vector_ext.h"
#include "qr/ec_level.h"
#include "qr/packed_symbol.h"
#include "qr/qr_code.h"
#include "qr/qr_mode.h"
#include "qr/qr_version.h"

namespace hosting::qr {

class 编码类 {
 public:
  static constexpr const char* kClassName = "编码类";

  // Encodes content at level into qr (every field of qr is overwritten).
  void 编码(std::string_view content, const EcLevel& level, 二维码类& qr) const;
  // Picks the smallest version whose data codewords hold numInputBytes + 3 and stores its
  // counts into qr; raises with an empty message when even version 40 is too small.
  void 初始化二维码(int numInputBytes, const EcLevel& level, const QrMode& mode,
                    二维码类& qr) const;
  void AppendBytes(std::string_view content, const QrMode& mode, 位向量类& bits) const;
  void AppendNumericBytes(std::string_view content, 位向量类& bits) const;
  void 追加字母数字字节(std::string_view content, 位向量类& bits) const;
  // Byte mode carries the UTF-8 bytes as they are, without an ECI header.
  void Append8BitBytes(std::string_view content, 位向量类& bits) const;
  // Alphanumeric when every character is in the 45-character set and one is not a digit,
  // numeric when all are digits, byte otherwise (also for the empty text).
  const QrMode& ChooseMode(std::string_view content) const;
  // Index of code in the alphanumeric set, -1 when it is not in it.
  int GetAlphanumericCode(int code) const;
  void AppendModeInfo(const QrMode& mode, 位向量类& bits) const;
  // Raises "要添加信息过多" when numLetters does not fit the count field.
  void 追加长度信息(int numLetters, int version, const QrMode& mode, 位向量类& bits) const;
  // Terminator, bit padding to a byte boundary, then 0xEC / 0x11 up to numDataBytes.
  void 结束数据位(int numDataBytes, 位向量类& bits) const;
  // Splits the data codewords into blocks, adds their EC codewords and interleaves both.
  位向量子类 交错容错字节(const 位向量类& bits, int numTotalBytes, int numDataBytes,
                          int numRsBlocks) const;
  struct BlockSizes {
    int numDataBytes;
    int numEcBytes;
  };
  // Sizes of block blockId derived from the totals alone; raises "无效值" on inconsistency.
  BlockSizes 根据块ID取数据字节数和容错字节数(int numTotalBytes, int numDataBytes, int numRsBlocks,
                                              int blockId) const;
  std::vector<std::uint8_t> GenerateEcBytes(std::span<const std::uint8_t> dataBytes,
                                            int numEcBytes) const;
  // Sum of the four penalty rules.
  int CalculateMaskPenalty(const PackedSymbol& symbol) const;
  // The first mask (0-7) with the lowest penalty.
  int ChooseMaskPattern(const 位向量类& bits, const EcLevel& level, const QrVersion& version) const;
};

}  // namespace hosting::qr
