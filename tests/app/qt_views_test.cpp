// The Qt views from the flows' side: called from a worker, every call reaches the window on the GUI
// thread, reads see the writes made before them, message boxes go through the seam owned by their
// window; called on the GUI thread they run at once; after the window is gone they do nothing.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <map>
#include <thread>

#include "app/qt_dialog_views.h"
#include "app/qt_login_view.h"
#include "app/qt_main_view.h"
#include "support/recording_message_boxes.h"
#include "ui/picture_box.h"

namespace hosting::app {
namespace {

using platform::MainCaption;
using platform::MainList;
using platform::Message;
using platform::MessageIcon;
using testing_support::RecordingMessageBoxes;

// Runs `work` on a thread of its own while the GUI thread keeps serving it; returns once it is
// done.
void OnWorker(const std::function<void()>& work) {
  std::atomic<bool> done = false;
  std::thread worker([&] {
    work();
    done = true;
  });
  const bool finished = QTest::qWaitFor([&] { return done.load(); }, 10000);
  worker.join();
  ASSERT_TRUE(finished);
  QCoreApplication::sendPostedEvents();  // writes are queued: the worker does not wait for them
}

std::string PngBytes(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::blue);
  QByteArray png;
  QBuffer buffer(&png);
  image.save(&buffer, "PNG");
  return png.toStdString();
}

TEST(QtLoginViewTest, WorkerCallsReachTheWindowInOrder) {
  RecordingMessageBoxes boxes;
  ui::LoginWindow window;
  window.show();
  QtLoginView view(window, boxes);
  std::string readBack;
  std::string pictureBack;
  std::string registerName;
  const std::string captcha = PngBytes(80, 30);
  OnWorker([&] {
    view.SetUserName("张三");
    view.SetPassword("a&b+c");
    readBack = view.UserName() + "|" + view.Password();
    view.SetLoginCaptchaPicture(captcha);
    pictureBack = view.LoginCaptchaPicture();
    view.SetRegisterCaptchaPicture(pictureBack);
    view.AddStatusPart("版本：1.2.0", 70);
    view.AddStatusPart("公告", 295);
    registerName = view.RegisterUserName();
    view.ShowMessage({"验证码错误！", "提示", MessageIcon::kWarning});
  });
  EXPECT_EQ(readBack, "张三|a&b+c");
  EXPECT_EQ(pictureBack, captcha);
  EXPECT_EQ(window.findChild<ui::PictureBox*>("图片框2")->imageBytes().toStdString(), captcha);
  EXPECT_EQ(registerName, "");
  ASSERT_EQ(boxes.Count(), 1U);
  const auto shown = boxes.Shown().front();
  EXPECT_EQ(shown.owner, "LoginWindow");
  EXPECT_TRUE(shown.onGuiThread);
  EXPECT_EQ(shown.message, (Message{"验证码错误！", "提示", MessageIcon::kWarning}));
  const auto parts = window.findChild<QWidget*>("状态条1")->findChildren<QLabel*>();
  ASSERT_EQ(parts.size(), 2);
  EXPECT_EQ(parts[0]->text(), QStringLiteral("版本：1.2.0"));
  EXPECT_EQ(parts[1]->width(), 295);
}

TEST(QtLoginViewTest, GuiThreadCallsRunAtOnceAndFeedbackIsPosted) {
  RecordingMessageBoxes boxes;
  ui::LoginWindow window;
  window.show();
  QtLoginView view(window, boxes);
  view.SetUserName("demo");  // on the GUI thread: no hand-over, so no deadlock and no delay
  EXPECT_EQ(window.userName(), QStringLiteral("demo"));
  EXPECT_EQ(view.UserName(), "demo");
  view.ShowMessage({"x", "", MessageIcon::kNone});
  EXPECT_EQ(boxes.Count(), 1U);

  int feedbacks = 0;
  QObject::connect(&window, &ui::LoginWindow::feedback, [&] { ++feedbacks; });
  OnWorker([&] {
    view.HideWindow();
    view.PostOpenMainWindow();
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return feedbacks == 1; }, 5000));
  EXPECT_TRUE(window.isHidden());
}

TEST(QtLoginViewTest, CallsAfterTheWindowIsGoneDoNothing) {
  RecordingMessageBoxes boxes;
  auto window = std::make_unique<ui::LoginWindow>();
  QtLoginView view(*window, boxes);
  window.reset();
  std::string name = "unset";
  bool remember = true;
  OnWorker([&] {
    view.SetUserName("x");
    view.AddStatusPart("y", 70);
    view.ShowMessage({"z", "", MessageIcon::kNone});
    view.PostOpenMainWindow();
    name = view.UserName();
    remember = view.RememberChecked();
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(name, "");
  EXPECT_FALSE(remember);
  EXPECT_EQ(boxes.Count(), 0U);
}

TEST(QtMainViewTest, CaptionsListsAndPicturesLandInTheirControls) {
  RecordingMessageBoxes boxes;
  ui::MainWindow window;
  window.show();
  QtMainView view(window, boxes);
  const std::map<MainCaption, const char*> labels = {
      {MainCaption::kHostingStatus, "透明标签5"},  {MainCaption::kHostedTotal, "透明标签3"},
      {MainCaption::kOnlineCount, "透明标签19"},   {MainCaption::kWithdrawnTotal, "透明标签28"},
      {MainCaption::kWithdrawable, "透明标签29"},  {MainCaption::kEarnedToday, "透明标签30"},
      {MainCaption::kPayoutAccount, "透明标签32"}, {MainCaption::kPayoutName, "透明标签34"},
  };
  int rows = -1;
  int selected = 0;
  std::string hiddenCell;
  std::string missingCell = "unset";
  platform::PictureSize size;
  OnWorker([&] {
    for (const auto& [caption, name] : labels)
      view.SetCaption(caption, name);
    view.ClearRows(MainList::kHostedAccounts);
    view.AppendRow(MainList::kHostedAccounts, {"101", "在线", "小号", "http://h/a.png"});
    view.AppendRow(MainList::kHostedAccounts, {"102", "离线"});
    view.AppendRow(MainList::kWithdrawals, {"1", "T1", "10.00", "申请提现", "未打款", "", ""});
    rows = view.RowCount(MainList::kHostedAccounts);
    hiddenCell = view.CellText(MainList::kHostedAccounts, 0, 3);
    missingCell = view.CellText(MainList::kHostedAccounts, 5, 0);
    selected = view.SelectedRow(MainList::kHostedAccounts);
    size = view.QrPictureSize();
    view.SetQrPicture(PngBytes(200, 200));
    view.SetQrPictureMode(platform::PictureMode::kScaledToFill);
    view.SetHostingButtonEnabled(false);
  });
  for (const auto& [caption, name] : labels) {
    EXPECT_EQ(window.findChild<QLabel*>(name)->text(), QString::fromUtf8(name)) << name;
  }
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(hiddenCell, "http://h/a.png");
  EXPECT_EQ(missingCell, "");
  EXPECT_EQ(selected, -1);
  EXPECT_EQ(size.width, 200);
  EXPECT_EQ(size.height, 200);
  EXPECT_EQ(window.withdrawals().topLevelItem(0)->text(3), QStringLiteral("申请提现"));
  EXPECT_EQ(window.qrPicture().displayMode(), ui::PictureBox::kScaledToFill);
  EXPECT_EQ(window.qrPicture().image().size(), QSize(200, 200));
  EXPECT_FALSE(window.qrButton().isEnabled());

  window.hostedAccounts().setCurrentItem(window.hostedAccounts().topLevelItem(1));
  OnWorker([&] { selected = view.SelectedRow(MainList::kHostedAccounts); });
  EXPECT_EQ(selected, 1);
}

TEST(QtDialogViewsTest, CloseDialogEndsTheModalLoopAfterTheMessage) {
  RecordingMessageBoxes boxes;
  ui::BindAlipayDialog dialog;
  QtBindAlipayView view(dialog, boxes);
  std::string name;
  std::thread worker;
  // The worker starts once the dialog runs its modal loop, as a click on 确认绑定 would start it.
  QTimer::singleShot(0, [&] {
    dialog.findChild<QLineEdit*>("编辑框1")->setText(QStringLiteral("张 三"));
    worker = std::thread([&] {
      name = view.RealName();
      view.ShowMessage({"绑定成功!", "", MessageIcon::kNone});
      view.CloseDialog();
    });
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  worker.join();
  EXPECT_EQ(name, "张 三");
  ASSERT_EQ(boxes.Count(), 1U);
  EXPECT_EQ(boxes.Shown().front().owner, "BindAlipayDialog");
}

}  // namespace
}  // namespace hosting::app
