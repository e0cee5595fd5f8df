#pragma once
// Hosting a WeChat account: ask the platform for a login text, draw it as a QR code in
// 图片框_二维码 with a countdown in 透明标签5, and poll until the scanned account has logged in.
// Views are shared: these flows hand them on to threads of their own.

#include <memory>

#include "platform/flow_context.h"
#include "platform/main_view.h"

namespace hosting::platform {

// 按钮2 "获取二维码": disables the button and starts HostingQrWorker on a worker.
void RequestHostingQr(const FlowContext& context, const std::shared_ptr<MainView>& view);
// The request (with its retry phase while no usable answer comes), the drawing, the countdown and
// the poll. The poll stops on "data.loginType" "1", pollGrace after the code's life has ended, or
// at shutdown. A QR generator error is shown and ends the flow with the button enabled again.
// "登录成功!" is followed by the requests of 刷新页面; the picture and the countdown are reset only
// while no later request has replaced the code.
void HostingQrWorker(const FlowContext& context, const std::shared_ptr<MainView>& view);
// The captions "二维码预计N秒后失效" from N = steps - 1 down to 0, then "0s", the button enabled
// and, unless an avatar took the picture, the code marked expired. Stops quietly once `countdown`
// is stopped.
void QrCountdown(const FlowContext& context, MainView& view, const std::stop_source& countdown);
// 按钮9 "释放二维码": stops the countdown, "0s", clears the picture and enables the button.
// A poll in progress goes on.
void ReleaseHostingQr(const FlowContext& context, MainView& view);

}  // namespace hosting::platform
