#include "e2e/phone_scan.h"

#include <ZXing/ReadBarcode.h>
#include <httplib.h>

#include <QImage>

#include "ui/picture_box.h"

namespace hosting::e2e {

std::string DecodeShownCode(ui::PictureBox& picture) {
  const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_Grayscale8);
  const ZXing::ImageView view(shown.constBits(), shown.width(), shown.height(),
                              ZXing::ImageFormat::Lum, static_cast<int>(shown.bytesPerLine()));
  const ZXing::Result result =
      ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
  return result.isValid() ? result.text() : std::string();
}

std::string ScanToken(const std::string& scanUrl) {
  const auto tokenStart = scanUrl.find("code=");
  return tokenStart == std::string::npos ? std::string() : scanUrl.substr(tokenStart + 5);
}

std::string ConfirmScan(const std::string& scanUrl) {
  const auto pathStart = scanUrl.find("/custody/");
  const std::string token = ScanToken(scanUrl);
  if (pathStart == std::string::npos || token.empty())
    return {};
  httplib::Client phone(scanUrl.substr(0, pathStart));
  const auto page = phone.Get(scanUrl.substr(pathStart));
  if (!page || page->status != 200)
    return {};
  const auto confirmed =
      phone.Post("/custody/sandbox/scan", "code=" + token, "application/x-www-form-urlencoded");
  return confirmed ? confirmed->body : std::string();
}

}  // namespace hosting::e2e
