#pragma once
// The flows of MainWindow driven as a member drives them, one call per flow, each waiting (with a
// deadline) until what the flow shows has arrived and its workers have ended. A flow that does not
// get there throws std::runtime_error naming what it waited for.

#include <QString>
#include <cstdint>
#include <functional>

#include "e2e/client_harness.h"

namespace hosting::e2e {

class MemberFlows {
 public:
  // `harness` has MainWindow open (LogInToMain).
  explicit MemberFlows(ClientHarness& harness);

  // 获取二维码, the code on screen read as a phone's camera reads it and the scan confirmed on the
  // sandbox's scan page, then the poll until "登录成功!"; the id of the new hosted account.
  std::int64_t HostAccount();
  // 刷新页面; the rows of 托管状态 once both loads have ended (counter 透明标签3 agreeing).
  int RefreshAccounts();
  // Selects the row of account `id` in 托管状态 and waits for its avatar in 图片框_二维码.
  void ShowAvatarOf(std::int64_t id);
  // 释放二维码: the picture cleared and 获取二维码 enabled again.
  void ReleaseCode();
  // Account `id` drops offline at the platform, then 清除掉线微信 removes it there.
  void DropAccount(std::int64_t id);
  // 查询业绩 on its page; the rows of 微信业绩.
  int QueryEarnings();
  // 查询 on 个人中心; the rows of 提现操作.
  int QueryWithdrawals();
  // A click on the withdrawal captcha of 个人中心, until the new picture is drawn.
  void ClickWithdrawCaptcha();
  // The state column of account `id` in 托管状态; empty when it is not listed.
  QString StateOf(std::int64_t id) const;

 private:
  void Await(const std::function<bool()>& condition, const char* what) const;
  void Press(int page, const char* button, const char* flow) const;

  ClientHarness& harness_;
  ui::MainWindow& main_;
};

// The threads of this process now.
int ThreadCount();

}  // namespace hosting::e2e
