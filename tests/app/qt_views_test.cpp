// The Qt views from the flows' side: worker calls reach the window on the GUI thread in order,
// reads wait for it, message boxes are owned by their window, and server texts show as text.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <thread>

#include "app/qt_dialog_views.h"
#include "app/qt_login_view.h"
#include "app/qt_main_view.h"
#include "support/recording_message_boxes.h"
#include "ui/picture_box.h"

namespace hosting::app {
namespace {

using namespace std::string_literals;
using platform::MainList;
using platform::Message;
using platform::MessageIcon;
using testing_support::RecordingMessageBoxes;

// Runs `work` on a thread of its own while the GUI thread keeps serving it.
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

TEST(QtViews, WorkerCallsReachTheWindowInOrderAndReadsWaitForThem) {
  RecordingMessageBoxes boxes;
  ui::LoginWindow login;
  ui::MainWindow main;
  QtLoginView loginView(login, boxes);
  QtMainView mainView(main, boxes);
  const std::string bytes = "\x89PNG\0\r\n"s;  // kept whole past the NUL, picture or not
  std::string readBack, cell, missingCell = "unset";
  int rows = -1, selected = 0;
  platform::PictureSize size;
  OnWorker([&] {
    loginView.SetUserName("张三");
    loginView.SetPassword("a&b+c");
    loginView.SetLoginCaptchaPicture(bytes);
    readBack =
        loginView.UserName() + "|" + loginView.Password() + "|" + loginView.LoginCaptchaPicture();
    loginView.ShowMessage({"验证码错误！", "提示", MessageIcon::kWarning});
    mainView.AppendRow(MainList::kHostedAccounts, {"101", "在线", "小号", "http://h/a.png"});
    mainView.AppendRow(MainList::kHostedAccounts, {"102", "离线"});
    mainView.AppendRow(MainList::kWithdrawals, {"1", "T1"});
    rows = mainView.RowCount(MainList::kHostedAccounts);
    cell = mainView.CellText(MainList::kHostedAccounts, 0, 3) + "|" +
           mainView.CellText(MainList::kHostedAccounts, 1, 0);
    missingCell = mainView.CellText(MainList::kHostedAccounts, 5, 0);
    selected = mainView.SelectedRow(MainList::kHostedAccounts);
    size = mainView.QrPictureSize();
    mainView.SetQrPicture(bytes);
    mainView.SetQrPictureMode(platform::PictureMode::kScaledToFill);
    mainView.SetHostingButtonEnabled(false);
    mainView.ShowMessage({"x", "", MessageIcon::kNone});
  });
  EXPECT_EQ(readBack, "张三|a&b+c|" + bytes);
  ASSERT_EQ(boxes.Count(), 2U);
  EXPECT_EQ(boxes.Shown()[0].owner, "LoginWindow");
  EXPECT_TRUE(boxes.Shown()[0].onGuiThread);
  EXPECT_EQ(boxes.Shown()[0].message, (Message{"验证码错误！", "提示", MessageIcon::kWarning}));
  EXPECT_EQ(boxes.Shown()[1].owner, "MainWindow");
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(cell, "http://h/a.png|102");
  EXPECT_EQ(missingCell, "");
  EXPECT_EQ(selected, -1);
  EXPECT_EQ(size.width, 200);
  EXPECT_EQ(size.height, 200);
  EXPECT_EQ(main.withdrawals().topLevelItemCount(), 1);
  EXPECT_EQ(main.qrPicture().imageBytes().toStdString(), bytes);
  EXPECT_EQ(main.qrPicture().displayMode(), ui::PictureBox::kScaledToFill);
  EXPECT_FALSE(main.qrButton().isEnabled());

  main.hostedAccounts().setCurrentItem(main.hostedAccounts().topLevelItem(1));
  OnWorker([&] { selected = mainView.SelectedRow(MainList::kHostedAccounts); });
  EXPECT_EQ(selected, 1);
}

TEST(QtViews, GuiThreadCallsRunAtOnceAndCallsAfterTheWindowIsGoneDoNothing) {
  RecordingMessageBoxes boxes;
  auto login = std::make_unique<ui::LoginWindow>();
  login->show();
  QtLoginView view(*login, boxes);
  view.SetUserName("demo");  // no hand-over on the GUI thread: no deadlock and no delay
  EXPECT_EQ(login->userName(), QStringLiteral("demo"));
  EXPECT_EQ(view.UserName(), "demo");
  int feedbacks = 0;
  QObject::connect(login.get(), &ui::LoginWindow::feedback, [&] { ++feedbacks; });
  OnWorker([&] {
    view.HideWindow();
    view.PostOpenMainWindow();
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return feedbacks == 1; }, 5000));
  EXPECT_TRUE(login->isHidden());

  login.reset();
  std::string name = "unset";
  bool remember = true;
  OnWorker([&] {
    view.SetUserName("x");
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

TEST(QtViews, CloseDialogEndsTheModalLoopAfterTheMessage) {
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

// Taken as rich text, this asks for a 3000 x 3000 picture from a local path.
const std::string kPictureMarkup = "<img src=\"/nonexistent/picture.png\" width=3000 height=3000>";

TEST(QtViews, MarkupFromTheServerIsShownAsItIs) {
  std::vector<const QLabel*> labels;
  QTimer::singleShot(0, [&labels] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    labels.push_back(box->findChild<QLabel*>("qt_msgbox_label"));
    EXPECT_LT(labels.back()->sizeHint().height(), 300) << "message box";
    box->done(0);
  });
  ModalMessageBoxes().Show(nullptr, {kPictureMarkup, "", MessageIcon::kWarning});
  ASSERT_EQ(labels.size(), 1U);

  RecordingMessageBoxes boxes;
  ui::MainWindow main;
  QtMainView mainView(main, boxes);
  ui::LoginWindow login;
  QtLoginView(login, boxes).AddStatusPart(kPictureMarkup, 295);
  labels = {login.findChild<QStatusBar*>()->findChild<QLabel*>()};
  for (const auto caption :
       {platform::MainCaption::kHostingStatus, platform::MainCaption::kPayoutName,
        platform::MainCaption::kWithdrawable}) {
    mainView.SetCaption(caption, kPictureMarkup);
  }
  for (const char* name : {"透明标签5", "透明标签34", "透明标签29"})
    labels.push_back(&main.label(QString::fromUtf8(name)));
  for (const QLabel* label : labels) {
    EXPECT_EQ(label->text().toStdString(), kPictureMarkup) << label->objectName().toStdString();
    EXPECT_LT(label->sizeHint().height(), 300) << label->objectName().toStdString();
  }
}

}  // namespace
}  // namespace hosting::app
