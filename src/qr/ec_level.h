#pragma once
// One error-correction level: L, M, Q or H with its ordinal (1-4) and the two format bits.

#include <array>
#include <string>

namespace hosting::qr {

class EcLevel {
 public:
  EcLevel(int ordinal, int bits, std::string name)
      : ordinal_(ordinal), bits_(bits), name_(std::move(name)) {}

  int GetOrdinal() const { return ordinal_; }
  int GetBits() const { return bits_; }
  const std::string& GetName() const { return name_; }

 private:
  int ordinal_;
  int bits_;
  std::string name_;
};

}  // namespace hosting::qr

namespace hosting::qr {

// The four levels in the order L, M, Q, H (ordinals 1-4), built once.
const std::array<EcLevel, 4>& EcLevels();

}  // namespace hosting::qr
