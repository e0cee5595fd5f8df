#pragma once
// A picture box: shows an image given as the bytes of an image file, either at its own size from
// the top-left corner (mode 0) or scaled to fill the box (mode 1). A left mouse press, or
// Space/Enter while it has the focus, emits pressed().

#include <QByteArray>
#include <QImage>
#include <QWidget>

namespace hosting::ui {

class PictureBox : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int displayMode READ displayMode WRITE setDisplayMode)
 public:
  static constexpr int kActualSize = 0;
  static constexpr int kScaledToFill = 1;

  explicit PictureBox(QWidget* parent = nullptr);

  // Bytes that are not a readable image (an empty answer, an error page) show an empty box; the
  // bytes are kept as given either way, so the picture can be read back and copied. A picture made
  // for the box's device pixels on a scaled display gives the display's devicePixelRatio: it is
  // then drawn pixel for pixel rather than scaled up.
  void setImageBytes(const QByteArray& bytes, qreal devicePixelRatio = 1.0);
  const QByteArray& imageBytes() const { return bytes_; }
  const QImage& image() const { return image_; }

  int displayMode() const { return displayMode_; }
  void setDisplayMode(int mode);

 signals:
  void pressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QByteArray bytes_;
  QImage image_;
  int displayMode_ = kActualSize;
};

}  // namespace hosting::ui
