#pragma once
// 位向量类: a growing run of bits packed into bytes, most significant bit of each byte first.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace hosting::qr {

class 位向量类 {
 public:
  static constexpr const char* kClassName = "位向量类";

  位向量类() { bytes_.reserve(32); }

  int GetSize() const { return size_; }
  int GetSizeInBytes() const { return (size_ + 7) / 8; }
  // Raises "索引超限" outside 0 .. GetSize() - 1.
  bool 取位值(int index) const;
  // Raises "位数据只能是0或1" for any value but 0 or 1.
  void 追加位(int bit);
  // Appends the low numBits (0-32) of value, most significant first.
  void AppendBits(std::uint32_t value, int numBits);
  void AppendByte(std::uint8_t value) { AppendBits(value, 8); }
  // One character "0" or "1" per bit.
  std::string 到字符串() const;
  // The packed bytes; the last one is zero-filled past GetSize().
  std::span<const std::uint8_t> Bytes() const { return bytes_; }

 protected:
  std::vector<std::uint8_t>& MutableBytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int size_ = 0;
};

}  // namespace hosting::qr
