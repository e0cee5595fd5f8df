#pragma once
// The flows of MainWindow driven as a member drives them, one call per flow, each waiting (with a
// deadline) until what the flow shows has arrived and its workers have ended; throws
// std::runtime_error naming what it waited for in vain.

#include <QString>
#include <cstdint>
#include <functional>

#include "e2e/client_harness.h"

namespace hosting::e2e {

class MemberFlows {
 public:
  explicit MemberFlows(ClientHarness& harness) : harness_(harness), main_(*harness.main()) {}

  // 获取二维码, the code on screen read as a phone's camera reads it and the scan confirmed on the
  // sandbox's scan page, then the poll until "登录成功!"; the id of the new hosted account.
  std::int64_t HostAccount();
  // 刷新页面; the rows of 托管状态 (counter 透明标签3 agreeing).
  int RefreshAccounts();
  // Selects the row of account `id` in 托管状态 until its avatar is drawn in 图片框_二维码.
  void ShowAvatarOf(std::int64_t id);
  // 释放二维码: the picture cleared and 获取二维码 enabled again.
  void ReleaseCode();
  // Account `id` drops offline at the platform, then 清除掉线微信 removes it there.
  void DropAccount(std::int64_t id);
  int QueryEarnings();     // 查询业绩; the rows of 微信业绩
  int QueryWithdrawals();  // 查询 on 个人中心; the rows of 提现操作
  // A click on the withdrawal captcha of 个人中心, until the new picture is drawn.
  void ClickWithdrawCaptcha();
  // The state column of account `id` in 托管状态; empty when it is not listed.
  QString StateOf(std::int64_t id) const;

 private:
  // Shows the page, clicks `button` (if any), waits for `shown` (if any), then for the workers.
  void Press(int page, QWidget* button, const char* what, const std::function<bool()>& shown = {});

  ClientHarness& harness_;
  ui::MainWindow& main_;
};

// The threads of this process now.
int ThreadCount();

}  // namespace hosting::e2e
