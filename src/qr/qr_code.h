#pragma once
// 二维码类: the result of one encode — mode, level, version, mask, codeword counts and the
// finished module matrix (0 = light, 1 = dark). Each encode fills its own object.

#include "qr/byte_matrix.h"
#include "qr/ec_level.h"
#include "qr/qr_mode.h"

namespace hosting::qr {

class 二维码类 {
 public:
  static constexpr const char* kClassName = "二维码类";
  static constexpr int kNumMaskPatterns = 8;

  const QrMode& GetMode() const { return mode_; }
  void SetMode(const QrMode& mode) { mode_ = mode; }
  const EcLevel& GetEcLevel() const { return level_; }
  void SetEcLevel(const EcLevel& level) { level_ = level; }
  int GetVersion() const { return version_; }
  void SetVersion(int version) { version_ = version; }
  int GetMatrixWidth() const { return matrixWidth_; }
  void SetMatrixWidth(int width) { matrixWidth_ = width; }
  int GetMaskPattern() const { return maskPattern_; }
  void SetMaskPattern(int mask) { maskPattern_ = mask; }
  int GetNumTotalBytes() const { return numTotalBytes_; }
  void SetNumTotalBytes(int bytes) { numTotalBytes_ = bytes; }
  int GetNumDataBytes() const { return numDataBytes_; }
  void SetNumDataBytes(int bytes) { numDataBytes_ = bytes; }
  int GetNumEcBytes() const { return numEcBytes_; }
  void SetNumEcBytes(int bytes) { numEcBytes_ = bytes; }
  int GetNumRsBlocks() const { return numRsBlocks_; }
  void SetNumRsBlocks(int blocks) { numRsBlocks_ = blocks; }
  const 字节矩阵类& GetMatrix() const { return matrix_; }
  void SetMatrix(字节矩阵类 matrix) { matrix_ = std::move(matrix); }

  // True once none of the seven numeric fields holds -1.
  bool IsValid() const;
  static bool IsValidMaskPattern(int mask) { return mask >= 0 && mask < kNumMaskPatterns; }
  // A copy of level 1-4 (L, M, Q, H); raises "索引异常。当前索引：" + position otherwise.
  static EcLevel 取容错级别_按索引(int position);

 private:
  QrMode mode_;
  EcLevel level_ = EcLevels().front();
  int version_ = -1;
  int matrixWidth_ = -1;
  int maskPattern_ = -1;
  int numTotalBytes_ = -1;
  int numDataBytes_ = -1;
  int numEcBytes_ = -1;
  int numRsBlocks_ = -1;
  字节矩阵类 matrix_;
};

}  // namespace hosting::qr
