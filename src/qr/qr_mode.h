#pragma once
// QrMode: one of the three data modes (numeric, alphanumeric, byte) with its indicator and the
// width of its character-count field for the three version ranges.

#include <array>
#include <string>

namespace hosting::qr {

class QrMode {
 public:
  QrMode() = default;
  QrMode(std::string name, std::array<int, 3> countBits, int bits)
      : name_(std::move(name)), countBits_(countBits), bits_(bits) {}

  const std::string& GetName() const { return name_; }
  int GetBits() const { return bits_; }
  // Width of the character count for versions 1-9, 10-26 and 27-40.
  int GetCharacterCountBits(int version) const;

  static const QrMode& Numeric();
  static const QrMode& Alphanumeric();
  static const QrMode& Byte();

 private:
  std::string name_;
  std::array<int, 3> countBits_{};
  int bits_ = 0;
};

}  // namespace hosting::qr
