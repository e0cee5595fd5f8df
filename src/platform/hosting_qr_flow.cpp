#include "platform/hosting_qr_flow.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "data/json_object.h"
#include "net/form_encoding.h"
#include "platform/hosted_accounts_flows.h"
#include "platform/platform_requests.h"
#include "qr/qr_error.h"
#include "qr/qr_front_end.h"

namespace hosting::platform {
namespace {

constexpr std::string_view kCodePath = "userapi/weixin/code.do";
constexpr std::string_view kGranted = "获取成功";
constexpr std::string_view kExpiredNotice = "二维码已失效，点击刷新";

void RequestCode(const FlowContext& context, data::JsonObject& answer, std::string_view slotId) {
  answer.Parse(CallPlatformApi(context, Verb::kPost, FreshApiPath(kCodePath),
                               "xiaohao_id=" + net::FormValue(slotId) + "&action=qrcode"));
}

std::string AttemptCaption(int attempt) {
  return "正在第" + std::to_string(attempt) + "次申请二维码，请耐心等待";
}

// While the platform gives no usable answer (empty "msg"), ask again; a refusal is not asked
// again but its attempts are waited out. False when stopped by shutdown.
bool RetryWhileSilent(const FlowContext& context, MainView& view, data::JsonObject& answer) {
  const HostingTimings& timings = context.timings;
  for (int attempt = 1; attempt <= timings.retryAttempts; ++attempt) {
    view.SetCaption(MainCaption::kHostingStatus, AttemptCaption(attempt));
    if (!Pause(timings.retryWait, context.shutdown)) {
      return false;
    }
    if (answer.GetText("msg").empty()) {
      RequestCode(context, answer, "0");
    }
    if (answer.GetText("msg") == kGranted) {
      break;
    }
    if (!Pause(timings.retryGap, context.shutdown)) {
      return false;
    }
  }
  return true;
}

void ShowIdle(MainView& view) {
  view.SetCaption(MainCaption::kHostingStatus, "0s");
  view.SetQrExpiredNotice({});
  view.SetQrPicture({});
}

// Polls the slot until its account reports as logged in. False when the poll ran out.
bool PollUntilLoggedIn(const FlowContext& context, const std::string& slotId) {
  const auto deadline =
      std::chrono::steady_clock::now() + context.timings.CodeLife() + context.timings.pollGrace;
  data::JsonObject answer;
  while (Pause(context.timings.pollInterval, context.shutdown) &&
         std::chrono::steady_clock::now() < deadline) {
    RequestCode(context, answer, slotId);
    if (answer.GetText("data.loginType") == "1") {
      return true;
    }
  }
  return false;
}

}  // namespace

void RequestHostingQr(const FlowContext& context, const std::shared_ptr<MainView>& view) {
  view->SetHostingButtonEnabled(false);
  context.runner.RunInBackground([&context, view] { HostingQrWorker(context, view); });
}

void HostingQrWorker(const FlowContext& context, const std::shared_ptr<MainView>& view) {
  // From now on, the code of an earlier request is no longer the one on screen.
  const std::uint64_t request = context.countdown.BeginRequest();
  data::JsonObject answer;
  RequestCode(context, answer, "0");
  if (answer.GetText("msg").empty() && !RetryWhileSilent(context, *view, answer)) {
    return;
  }
  if (answer.GetText("msg") != kGranted) {
    view->ShowMessage(
        PlainMessage(answer.GetText("msg")));  // the button stays disabled until released
    return;
  }
  const std::stop_source countdown = context.countdown.Start();
  context.runner.RunInBackground(
      [&context, view, countdown] { QrCountdown(context, *view, countdown); });

  const std::string slotId = answer.GetText("data.id");
  const PictureSize size = view->QrPictureSize();
  try {
    const std::vector<std::uint8_t> image = qr::创建二维码(
        answer.GetText("data.login_qrcode"), "Q", size.width, size.height, qr::kWhite, qr::kBlack);
    view->SetQrExpiredNotice({});
    view->SetQrPicture(std::string(image.begin(), image.end()));
  } catch (const qr::QrError& error) {
    context.countdown.Stop();
    ShowIdle(*view);
    view->SetHostingButtonEnabled(true);
    view->ShowMessage({error.report(), qr::kReportTitle, MessageIcon::kStop});
    return;
  }
  if (PollUntilLoggedIn(context, slotId)) {
    // Before the message, which waits for the member. A late scan of a code that a fresh one has
    // replaced leaves the fresh one and its countdown alone.
    const bool onScreen = context.countdown.StopIfLatest(request);
    view->ShowMessage(PlainMessage("登录成功!"));
    if (onScreen) {
      ShowIdle(*view);  // the button stays disabled until released
    }
    RefreshHostingPage(context, view);
  }
}

void QrCountdown(const FlowContext& context, MainView& view, const std::stop_source& countdown) {
  // The end of the process stops the countdown too.
  const std::stop_callback onShutdown(context.shutdown,
                                      [source = countdown]() mutable { source.request_stop(); });
  const int steps = context.timings.countdownSteps;
  for (int step = 1; step <= steps; ++step) {
    if (!Pause(context.timings.countdownTick, countdown.get_token())) {
      return;
    }
    const std::string caption = "二维码预计" + std::to_string(steps - step) + "秒后失效";
    if (!context.countdown.Write(countdown,
                                 [&] { view.SetCaption(MainCaption::kHostingStatus, caption); })) {
      return;
    }
  }
  context.countdown.WriteEnd(countdown, [&view](bool shown) {
    view.SetCaption(MainCaption::kHostingStatus, "0s");
    view.SetHostingButtonEnabled(true);
    if (shown) {
      view.SetQrExpiredNotice(std::string(kExpiredNotice));
    }
  });
}

void ReleaseHostingQr(const FlowContext& context, MainView& view) {
  context.countdown.Stop();
  ShowIdle(view);
  view.SetHostingButtonEnabled(true);
}

}  // namespace hosting::platform
