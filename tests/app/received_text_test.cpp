// Texts from the server reach the member as text: markup in a message, a caption or a status part
// neither renders (an image tag would read any local file, /dev/zero without end) nor gives a link
// that hands an address to the desktop.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "app/message_boxes.h"
#include "app/qt_login_view.h"
#include "app/qt_main_view.h"
#include "support/recording_message_boxes.h"

namespace hosting::app {
namespace {

// Takes the place of the desktop's URL openers while alive.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  UrlRecorder() {
    for (const char* scheme : kSchemes) {
      QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
  }
  ~UrlRecorder() override {
    for (const char* scheme : kSchemes) {
      QDesktopServices::unsetUrlHandler(scheme);
    }
  }
  QStringList opened;

 public slots:
  void Open(const QUrl& url) { opened << url.toString(); }

 private:
  static constexpr const char* kSchemes[] = {"file", "http", "https"};
};

// Runs check on the message box once it is shown, then closes it.
void WhenShown(std::function<void(QMessageBox&)> check) {
  QTimer::singleShot(10, [check] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      WhenShown(check);
      return;
    }
    check(*box);
    box->done(0);
  });
}

TEST(MessageBoxesReceivedTextTest, MarkupFromTheServerIsShownAsTextAndOpensNothing) {
  UrlRecorder recorder;
  QString link;
  for (int i = 0; i < 30; ++i) {
    link += QStringLiteral("点击领取奖励");
  }
  const QString text = "<a href=\"file:///bin/sh\">" + link + "</a>";
  QString shown;
  WhenShown([&](QMessageBox& box) {
    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    shown = label->text();
    // Press where the first characters are drawn: on the link, were it one.
    const QPoint onText(label->contentsRect().left() + 6, label->height() / 2);
    QTest::mouseMove(label, onText);
    QTest::mouseClick(label, Qt::LeftButton, {}, onText);
  });
  ModalMessageBoxes().Show(nullptr, {text.toStdString(), "", platform::MessageIcon::kWarning});
  EXPECT_EQ(shown, text);
  EXPECT_TRUE(recorder.opened.isEmpty()) << recorder.opened.join(' ').toStdString();
}

// Taken as rich text, this asks for a 3000 x 3000 picture from a local path.
const std::string kPictureMarkup = "<img src=\"/nonexistent/picture.png\" width=3000 height=3000>";

TEST(QtViewsReceivedTextTest, CaptionsAndStatusPartsShowMarkupAsItIs) {
  testing_support::RecordingMessageBoxes boxes;
  ui::MainWindow main;
  QtMainView mainView(main, boxes);
  for (const auto caption :
       {platform::MainCaption::kPayoutAccount, platform::MainCaption::kPayoutName,
        platform::MainCaption::kWithdrawable}) {
    mainView.SetCaption(caption, kPictureMarkup);
  }
  for (const char* name : {"透明标签32", "透明标签34", "透明标签29"}) {
    const QLabel& label = main.label(QString::fromUtf8(name));
    EXPECT_EQ(label.text().toStdString(), kPictureMarkup) << name;
    EXPECT_LT(label.sizeHint().height(), 300) << name;
  }

  ui::LoginWindow login;
  QtLoginView loginView(login, boxes);
  loginView.AddStatusPart(kPictureMarkup, 295);
  const QLabel* part = nullptr;
  for (const QLabel* label : login.findChildren<QLabel*>()) {
    if (label->text().toStdString() == kPictureMarkup) {
      part = label;
    }
  }
  ASSERT_NE(part, nullptr);
  EXPECT_LT(part->sizeHint().height(), 300);
}

}  // namespace
}  // namespace hosting::app

#include "received_text_test.moc"
