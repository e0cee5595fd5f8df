#include "ui/login_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include "ui/accessibility.h"
#include "ui/feedback_event.h"
#include "ui/window_resources.h"
#include "ui_login_window.h"

namespace hosting::ui {

LoginWindow::LoginWindow(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui_LoginWindow>()) {
  EnsureWindowResources();
  EnsureAccessibleInterfaces();
  ui_->setupUi(this);

  ui_->编辑框3->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ui_->编辑框3));

  // QStatusBar::addWidget adds margins and gaps of its own; the parts live in one container without
  // either, so a 70 px and a 295 px part keep exactly those widths.
  statusParts_ = new QWidget(ui_->状态条1);
  statusParts_->setGeometry(ui_->状态条1->rect());
  auto* row = new QHBoxLayout(statusParts_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addStretch(1);
  ui_->状态条1->installEventFilter(this);
  ui_->标签1->installEventFilter(this);

  connect(ui_->按钮1, &QPushButton::clicked, this, &LoginWindow::loginRequested);
  connect(ui_->编辑框3, &QLineEdit::returnPressed, this, &LoginWindow::loginRequested);
  connect(ui_->按钮2, &QPushButton::clicked, this, &LoginWindow::registerRequested);
  connect(ui_->图片框1, &PictureBox::pressed, this, &LoginWindow::loginCaptchaRequested);
  connect(ui_->图片框2, &PictureBox::pressed, this, &LoginWindow::registerCaptchaRequested);
}

LoginWindow::~LoginWindow() = default;

QString LoginWindow::userName() const {
  return ui_->编辑框1->text();
}
QString LoginWindow::password() const {
  return ui_->编辑框2->text();
}
QString LoginWindow::captcha() const {
  return ui_->编辑框3->text();
}
bool LoginWindow::rememberChecked() const {
  return ui_->选择框1->isChecked();
}
void LoginWindow::setUserName(const QString& text) {
  ui_->编辑框1->setText(text);
}
void LoginWindow::setPassword(const QString& text) {
  ui_->编辑框2->setText(text);
}

QString LoginWindow::registerUserName() const {
  return ui_->编辑框4->text();
}
QString LoginWindow::registerPassword() const {
  return ui_->编辑框5->text();
}
QString LoginWindow::registerPasswordAgain() const {
  return ui_->编辑框6->text();
}
QString LoginWindow::registerCaptcha() const {
  return ui_->编辑框7->text();
}

void LoginWindow::setLoginCaptcha(const QByteArray& image) {
  ui_->图片框1->setImageBytes(image);
}
void LoginWindow::setRegisterCaptcha(const QByteArray& image) {
  ui_->图片框2->setImageBytes(image);
}
QByteArray LoginWindow::loginCaptcha() const {
  return ui_->图片框1->imageBytes();
}

void LoginWindow::appendStatusPart(const QString& text, int width) {
  auto* part = new QLabel(statusParts_);
  part->setTextFormat(Qt::PlainText);  // the notice comes from the version service
  part->setText(text);
  part->setFixedWidth(width);
  auto* row = static_cast<QHBoxLayout*>(statusParts_->layout());
  row->insertWidget(row->count() - 1, part);  // before the closing stretch
}

QObject& LoginWindow::feedbackLabel() const {
  return *ui_->标签1;
}

bool LoginWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->标签1 && event->type() == FeedbackEvent::Type()) {
    const auto* feedbackEvent = static_cast<FeedbackEvent*>(event);
    emit feedback(feedbackEvent->p1(), feedbackEvent->p2());
    return true;
  }
  if (watched == ui_->状态条1 && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    emit updateLinkRequested();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void LoginWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace hosting::ui
