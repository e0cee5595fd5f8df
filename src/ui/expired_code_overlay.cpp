#include "ui/expired_code_overlay.h"

#include <QPainter>

#include "ui/picture_box.h"

namespace hosting::ui {
namespace {

const QColor kDimming(255, 255, 255, 210);
const QColor kNoticeColour(32, 32, 32);
constexpr int kMargin = 12;

}  // namespace

ExpiredCodeOverlay::ExpiredCodeOverlay(PictureBox& picture) : QWidget(&picture), picture_(picture) {
  setObjectName(QStringLiteral("二维码失效提示"));
  // Presses go through to the picture, which reports them for mouse and keyboard alike.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
  connect(&picture, &PictureBox::pressed, this, [this] {
    if (!notice_.isEmpty())
      emit activated();
  });
}

void ExpiredCodeOverlay::setNotice(const QString& notice) {
  notice_ = notice;
  picture_.setAccessibleDescription(notice);
  picture_.setFocusPolicy(notice.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
  setGeometry(picture_.rect());
  setVisible(!notice.isEmpty());
  update();
}

void ExpiredCodeOverlay::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kDimming);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(kNoticeColour);
  painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                   Qt::AlignCenter | Qt::TextWordWrap, notice_);
  if (picture_.hasFocus()) {
    painter.setPen(QPen(palette().highlight(), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
}

}  // namespace hosting::ui
