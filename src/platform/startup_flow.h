#pragma once
// StartupWorker: what LoginWindow needs once it is on screen.

#include "platform/flow_context.h"
#include "platform/login_view.h"

namespace hosting::platform {

// In this order: the saved credentials into 编辑框1/编辑框2, the version service's version and
// notice into 状态条1 (nothing when it gives no usable answer), the platform session, and one
// captcha shown in 图片框1 and copied into 图片框2.
void StartupWorker(const FlowContext& context, LoginView& view);

}  // namespace hosting::platform
