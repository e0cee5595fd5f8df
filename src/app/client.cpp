#include "app/client.h"

#include "app/qt_dialog_views.h"
#include "app/qt_login_view.h"
#include "app/qt_main_view.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/earnings_flows.h"
#include "platform/hosted_accounts_flows.h"
#include "platform/hosting_qr_flow.h"
#include "platform/startup_flow.h"
#include "ui/bind_alipay_dialog.h"
#include "ui/change_password_dialog.h"
#include "ui/login_window.h"
#include "ui/main_window.h"

namespace hosting::app {

namespace pf = hosting::platform;

Client::Client(ClientSettings settings, pf::TaskRunner& runner, MessageBoxes& boxes,
               net::SessionCookie& sessionCookie)
    : settings_(std::move(settings)),
      boxes_(boxes),
      context_{.endpoints = settings_.endpoints,
               .settingsFile = settings_.settingsFile,
               .sessionCookie = sessionCookie,
               .runner = runner,
               .countdown = countdown_,
               .hostedList = hostedList_,
               .timings = settings_.timings,
               .clock = settings_.clock,
               .shutdown = shutdown_.get_token(),
               .requestTimeout = settings_.requestTimeout},
      login_(std::make_unique<ui::LoginWindow>()),
      loginView_(std::make_shared<QtLoginView>(*login_, boxes)) {
  ConnectLoginWindow();
}

Client::~Client() {
  RequestShutdown();
}

void Client::RequestShutdown() {
  shutdown_.request_stop();
  countdown_.Stop();
  watch_.reset();
}

void Client::Start() {
  login_->show();
  if (settings_.decorate)
    settings_.decorate(*login_);
  Background([this] { pf::StartupWorker(context_, *loginView_); });
}

void Client::Background(std::function<void()> task) {
  context_.runner.RunInBackground(std::move(task));
}

void Client::ConnectLoginWindow() {
  ui::LoginWindow* login = login_.get();
  connect(login, &ui::LoginWindow::loginRequested, this,
          [this] { Background([this] { pf::Login(context_, *loginView_); }); });
  connect(login, &ui::LoginWindow::registerRequested, this,
          [this] { Background([this] { pf::Register(context_, *loginView_); }); });
  connect(login, &ui::LoginWindow::loginCaptchaRequested, this,
          [this] { Background([this] { pf::RefreshLoginCaptcha(context_, *loginView_); }); });
  connect(login, &ui::LoginWindow::registerCaptchaRequested, this,
          [this] { Background([this] { pf::RefreshRegisterCaptcha(context_, *loginView_); }); });
  connect(login, &ui::LoginWindow::updateLinkRequested, this, [this] {
    if (settings_.openUrl)
      settings_.openUrl(QString::fromStdString(context_.endpoints.updatePackageUrl));
  });
  connect(login, &ui::LoginWindow::feedback, this, &Client::OpenMainWindow);
  connect(login, &ui::LoginWindow::closed, this, &Client::loginWindowClosed);
}

// The feedback of 标签1. Two logins that both succeed post two feedbacks; the second finds
// MainWindow open and only brings it forward.
void Client::OpenMainWindow() {
  if (main_ != nullptr) {
    main_->raise();
    return;
  }
  main_ = std::make_unique<ui::MainWindow>();
  mainView_ = std::make_shared<QtMainView>(*main_, boxes_);
  ConnectMainWindow();
  main_->show();
  watch_ = std::make_unique<pf::HostedAccountsWatch>(context_, mainView_);
  // The first loads fill the list as a refresh does: the watch waits for them.
  const std::shared_ptr<void> loading = context_.hostedList.BeginMemberRefresh();
  Background([this, loading] { pf::LoadHostedAccounts(context_, *mainView_); });
  Background([this, loading] { pf::LoadHomeCounters(context_, *mainView_); });
  Background([this] { pf::LoadWithdrawCaptcha(context_, *mainView_); });
  login_->hide();
}

void Client::ConnectMainWindow() {
  ui::MainWindow* window = main_.get();
  using W = ui::MainWindow;
  const auto onWorker = [this, window](auto signal, auto flow) {
    connect(window, signal, this,
            [this, flow] { Background([this, flow] { flow(context_, mainView_); }); });
  };
  // 按钮2 disables itself on the GUI thread, then the hosting worker starts.
  connect(window, &W::qrRequested, this, [this] { pf::RequestHostingQr(context_, mainView_); });
  // The expired code presses 按钮2, and only while it could be pressed.
  connect(mainView_->expiredCodeOverlay(), &ui::ExpiredCodeOverlay::activated, this,
          [this, window] {
            if (window->qrButton().isEnabled())
              pf::RequestHostingQr(context_, mainView_);
          });
  onWorker(&W::qrReleaseRequested,
           [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>& v) {
             pf::ReleaseHostingQr(c, *v);
           });
  onWorker(&W::refreshRequested,
           [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>& v) {
             pf::RefreshHostingPage(c, v);
           });
  onWorker(&W::clearOfflineRequested,
           [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>&) {
             pf::ClearOfflineAccounts(c);
           });
  onWorker(&W::avatarRequested, [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>& v) {
    pf::ShowSelectedAvatar(c, *v);
  });
  onWorker(&W::earningsRequested,
           [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>& v) {
             pf::LoadEarnings(c, *v);
           });
  onWorker(&W::withdrawalsRequested,
           [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>& v) {
             pf::LoadWithdrawals(c, *v);
           });
  onWorker(
      &W::withdrawRequested,
      [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>& v) { pf::Withdraw(c, *v); });
  onWorker(&W::withdrawCaptchaRequested,
           [](const pf::FlowContext& c, const std::shared_ptr<QtMainView>& v) {
             pf::RefreshWithdrawCaptcha(c, *v);
           });
  connect(window, &W::bindDialogRequested, this, &Client::OpenBindDialog);
  connect(window, &W::changePasswordRequested, this, &Client::OpenChangePasswordDialog);
  // The watch ends with the window; a look in progress is not waited for.
  connect(window, &W::closed, this, [this] {
    watch_->Stop();
    emit mainWindowClosed();
  });
}

// Both dialogs are modal, made anew for each opening, and closed by their worker once the answer
// has been shown; the worker keeps its view, which does nothing once the dialog is gone.
void Client::OpenBindDialog() {
  ui::BindAlipayDialog dialog;
  auto view = std::make_shared<QtBindAlipayView>(dialog, boxes_);
  connect(&dialog, &ui::BindAlipayDialog::bindRequested, this,
          [this, view] { Background([this, view] { pf::BindPayoutAccount(context_, *view); }); });
  dialog.exec();
}

void Client::OpenChangePasswordDialog() {
  ui::ChangePasswordDialog dialog;
  auto view = std::make_shared<QtChangePasswordView>(dialog, boxes_);
  connect(&dialog, &ui::ChangePasswordDialog::changeRequested, this,
          [this, view] { Background([this, view] { pf::ChangePassword(context_, *view); }); });
  dialog.exec();
}

}  // namespace hosting::app
