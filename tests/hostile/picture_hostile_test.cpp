// The windows' picture boxes given every answer the captcha and avatar endpoints can give: what is
// no picture leaves the box empty, in either display mode, and painting it is safe.
#include <gtest/gtest.h>

#include <QByteArray>

#include "hostile/hostile_platform.h"
#include "ui/picture_box.h"

namespace hosting::hostile {
namespace {

class PictureAnswerTest : public ::testing::TestWithParam<Hostility> {};

// The body of the hostile reply to a captcha request ("" when it sends none).
std::string CaptchaBody(Hostility kind) {
  const std::string wire =
      HostileReply(kind, "/custody/verificationCode/generate.do?0.961945197493981").bytes;
  const std::size_t headEnd = wire.find("\r\n\r\n");
  return headEnd == std::string::npos ? std::string() : wire.substr(headEnd + 4);
}

TEST_P(PictureAnswerTest, OnlyAPictureFillsTheBox) {
  ui::PictureBox box;
  box.resize(120, 40);
  const std::string body = CaptchaBody(GetParam());
  box.setImageBytes(QByteArray(body.data(), static_cast<qsizetype>(body.size())));
  EXPECT_EQ(box.image().isNull(), GetParam() != Hostility::kCookieFlood) << body.size();
  for (const int mode : {ui::PictureBox::kActualSize, ui::PictureBox::kScaledToFill}) {
    box.setDisplayMode(mode);
    EXPECT_FALSE(box.grab().isNull());
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, PictureAnswerTest, ::testing::ValuesIn(AllHostilities()),
                         [](const auto& test) { return Name(test.param); });

}  // namespace
}  // namespace hosting::hostile
