// The Qt views from the flows' side: calls from workers, and server texts shown as text.

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

#include "app/qt_login_view.h"
#include "app/qt_main_view.h"
#include "support/joining_runner.h"
#include "support/recording_message_boxes.h"

namespace hosting::app {
namespace {

using platform::MainList;
constexpr MainList kHosted = MainList::kHostedAccounts;
using platform::Message;
using platform::MessageIcon;
using testing_support::RecordingMessageBoxes;

// Runs `work` on a thread of its own while the GUI thread keeps serving it.
void OnWorker(std::function<void()> work) {
  testing_support::JoiningRunner worker;
  worker.RunInBackground(std::move(work));
  ASSERT_TRUE(QTest::qWaitFor([&] { return worker.Idle(); }, 10000));
  QCoreApplication::sendPostedEvents();  // writes are queued: the worker does not wait for them
}

TEST(QtViews, WorkerCallsReachTheWindowInOrderReadsWaitAndNoneOutlivesTheWindow) {
  RecordingMessageBoxes boxes;
  auto login = std::make_unique<ui::LoginWindow>();
  login->show();
  ui::MainWindow main;
  QtLoginView loginView(*login, boxes);
  QtMainView mainView(main, boxes);

  // The end-to-end tests drive every call from workers and check what the windows show; here the
  // order of one worker's writes and reads, the dialog's thread and the reads of no row.
  std::string reads;
  OnWorker([&] {
    loginView.SetUserName("张三");
    loginView.SetPassword("a&b+c");
    loginView.ShowMessage({"验证码错误！", "提示", MessageIcon::kWarning});
    mainView.AppendRow(kHosted, {"101", "在线", "小号", "http://h/a.png"});
    mainView.AppendRow(kHosted, {"102", "离线"});
    reads = loginView.UserName() + "|" + loginView.Password() + "|" +
            std::to_string(mainView.RowCount(kHosted)) + "|" + mainView.CellText(kHosted, 0, 3) +
            "|" + mainView.CellText(kHosted, 1, 0) + "|" + mainView.CellText(kHosted, 5, 0) + "|" +
            std::to_string(mainView.SelectedRow(kHosted));
  });
  EXPECT_EQ(reads, "张三|a&b+c|2|http://h/a.png|102||-1");
  ASSERT_EQ(boxes.Count(), 1U);
  EXPECT_TRUE(boxes.Shown()[0].onGuiThread);
  EXPECT_EQ(boxes.Shown()[0].message, (Message{"验证码错误！", "提示", MessageIcon::kWarning}));

  login.reset();  // calls after the window is gone do nothing and read nothing
  OnWorker([&] {
    loginView.SetUserName("x");
    loginView.ShowMessage({"z", "", MessageIcon::kNone});
    loginView.PostOpenMainWindow();
    reads = loginView.UserName() + (loginView.RememberChecked() ? "checked" : "");
  });
  EXPECT_EQ(reads, "");
  EXPECT_EQ(boxes.Count(), 1U);
}

// Taken as rich text, this asks for a 3000 x 3000 picture from a local path.
const std::string kPictureMarkup = "<img src=\"/nonexistent/picture.png\" width=3000 height=3000>";

TEST(QtViews, MarkupFromTheServerIsShownAsItIs) {
  int plain = 0;
  const auto expectPlain = [&plain](const QLabel& label) {
    EXPECT_LT(label.sizeHint().height(), 300) << label.objectName().toStdString();
    ++plain;
  };
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    expectPlain(*box->findChild<QLabel*>("qt_msgbox_label"));
    box->done(0);
  });
  ModalMessageBoxes().Show(nullptr, {kPictureMarkup, "", MessageIcon::kWarning});
  ASSERT_EQ(plain, 1);

  // The status part and every caption of the main window, each on a label of its own.
  RecordingMessageBoxes boxes;
  ui::LoginWindow login;
  QtLoginView(login, boxes).AddStatusPart(kPictureMarkup, 295);
  ui::MainWindow main;
  QtMainView mainView(main, boxes);
  for (int caption = 0; caption <= static_cast<int>(platform::MainCaption::kPayoutName); ++caption)
    mainView.SetCaption(static_cast<platform::MainCaption>(caption), kPictureMarkup);
  for (const QWidget* window : {static_cast<QWidget*>(&login), static_cast<QWidget*>(&main)}) {
    for (const QLabel* label : window->findChildren<QLabel*>())
      if (label->text().toStdString() == kPictureMarkup)
        expectPlain(*label);
  }
  EXPECT_EQ(plain, 1 + 1 + 8);
}

}  // namespace
}  // namespace hosting::app
