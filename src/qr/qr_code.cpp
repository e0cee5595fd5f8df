#include "qr/qr_code.h"

#include <string>

#include "qr/qr_error.h"

namespace hosting::qr {

bool 二维码类::IsValid() const {
  for (const int field : {version_, matrixWidth_, maskPattern_, numTotalBytes_, numDataBytes_,
                          numEcBytes_, numRsBlocks_}) {
    if (field == -1) {
      return false;
    }
  }
  return true;
}

EcLevel 二维码类::取容错级别_按索引(int position) {
  if (position < 1 || position > 4) {
    RaiseQrError(kClassName, "取容错级别_按索引",
                 "索引异常。当前索引：" + std::to_string(position));
  }
  return EcLevels()[static_cast<std::size_t>(position - 1)];
}

}  // namespace hosting::qr
