// The windows' picture boxes given every answer the captcha and avatar endpoints can give: what is
// no picture leaves the box empty, in either display mode, and painting it is safe.
#include <gtest/gtest.h>

#include <QByteArray>

#include "hostile/hostile_answers.h"
#include "ui/picture_box.h"

namespace hosting::hostile {
namespace {

TEST(PictureAnswerTest, OnlyAPictureFillsTheBox) {
  for (const Hostility kind : AllHostilities()) {
    const std::string wire = HostileReply(kind, "/custody/verificationCode/generate.do?0.96").bytes;
    const std::size_t headEnd = wire.find("\r\n\r\n");
    const std::string body = headEnd == std::string::npos ? "" : wire.substr(headEnd + 4);
    ui::PictureBox box;
    box.resize(120, 40);
    box.setImageBytes(QByteArray(body.data(), static_cast<qsizetype>(body.size())));
    EXPECT_EQ(box.image().isNull(), kind != Hostility::kCookieFlood) << Name(kind);
    for (const int mode : {ui::PictureBox::kActualSize, ui::PictureBox::kScaledToFill}) {
      box.setDisplayMode(mode);
      EXPECT_FALSE(box.grab().isNull()) << Name(kind);
    }
  }
}

}  // namespace
}  // namespace hosting::hostile
