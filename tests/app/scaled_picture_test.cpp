// 图片框_二维码 on a display scaled by QT_SCALE_FACTOR (set for each program): the code is made at
// the box's device-pixel size and shown pixel for pixel, in both display modes (the QR tests read
// what the generator makes).

#include <gtest/gtest.h>

#include <QTest>

#include "app/qt_main_view.h"
#include "qr/qr_front_end.h"
#include "support/recording_message_boxes.h"
#include "ui/picture_box.h"

namespace hosting::app {
namespace {

TEST(ScaledDisplay, TheCodeIsMadeAndDrawnAtDevicePixels) {
  ui::MainWindow main;
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  testing_support::RecordingMessageBoxes boxes;
  QtMainView view(main, boxes);
  const qreal scale = main.devicePixelRatioF();
  ASSERT_GT(scale, 1.0) << "run with QT_SCALE_FACTOR";
  const platform::PictureSize size = view.QrPictureSize();
  EXPECT_EQ(std::pair(size.width, size.height),
            std::pair(qRound(200 * scale), qRound(200 * scale)));

  const std::vector<std::uint8_t> made =
      qr::创建二维码("https://example.invalid/hosting?slot=42", "Q", size.width, size.height,
                     qr::kWhite, qr::kBlack);
  const QImage picture = QImage::fromData(made.data(), static_cast<int>(made.size()))
                             .convertToFormat(QImage::Format_RGB32);
  for (const auto mode : {platform::PictureMode::kTopLeft, platform::PictureMode::kScaledToFill}) {
    view.SetQrPictureMode(mode);
    view.SetQrPicture(std::string(made.begin(), made.end()));
    QImage shown = main.qrPicture().grab().toImage().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1);
    EXPECT_TRUE(shown == picture) << "mode " << static_cast<int>(mode);
  }
}

}  // namespace
}  // namespace hosting::app
