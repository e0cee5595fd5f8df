#include "ui/picture_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/accessibility.h"

namespace hosting::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  EnsureAccessibleInterfaces();
}

void PictureBox::setImageBytes(const QByteArray& bytes, qreal devicePixelRatio) {
  bytes_ = bytes;
  image_ = QImage::fromData(bytes);
  image_.setDevicePixelRatio(devicePixelRatio);
  update();
}

void PictureBox::setDisplayMode(int mode) {
  displayMode_ = mode == kScaledToFill ? kScaledToFill : kActualSize;
  update();
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  if (image_.isNull())
    return;
  QPainter painter(this);
  if (displayMode_ == kScaledToFill) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_);
  } else {
    painter.drawImage(QPoint(0, 0), image_);
  }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit pressed();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit pressed();
      event->accept();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace hosting::ui
