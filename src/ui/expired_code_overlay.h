#pragma once
// The expired state of a picture box: a child that dims the picture under a notice. While it shows,
// the picture takes keyboard focus and its accessible description is the notice; a press of the
// picture (click, Space or Enter) then emits activated().

#include <QString>
#include <QWidget>

namespace hosting::ui {

class PictureBox;

class ExpiredCodeOverlay : public QWidget {
  Q_OBJECT
 public:
  explicit ExpiredCodeOverlay(PictureBox& picture);

  // An empty notice hides the overlay and gives the picture back its plain state.
  void setNotice(const QString& notice);
  const QString& notice() const { return notice_; }

 signals:
  void activated();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureBox& picture_;
  QString notice_;
};

}  // namespace hosting::ui
