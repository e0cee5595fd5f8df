#pragma once
// MainWindow's flows driven as a member drives them, each call waiting (with a deadline) for what
// the flow shows and for its workers; throws std::runtime_error naming what it waited for in vain.

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>

#include "e2e/client_harness.h"

namespace hosting::e2e {

class MemberFlows {
 public:
  explicit MemberFlows(ClientHarness& harness) : harness_(harness), main_(*harness.main()) {}

  // 获取二维码, the code on screen decoded and its scan confirmed as a phone would, then the poll
  // until "登录成功!"; the new hosted account's id.
  std::int64_t HostAccount();
  int RefreshAccounts();  // 刷新页面; the rows of 托管状态 (透明标签3 agreeing)
  void ShowAvatarOf(std::int64_t id);
  void ReleaseCode();                 // 释放二维码
  void DropAccount(std::int64_t id);  // offline at the platform, then 清除掉线微信
  int QueryEarnings();                // 查询业绩; the rows of 微信业绩
  int QueryWithdrawals();             // 查询 on 个人中心; the rows of 提现操作
  void ClickWithdrawCaptcha();
  QString StateOf(std::int64_t id) const;  // empty when the account is not listed

 private:
  // Shows the page, clicks `button` (if any), waits for `shown` (if any), then for the workers.
  void Press(int page, QWidget* button, const char* what, const std::function<bool()>& shown = {});

  ClientHarness& harness_;
  ui::MainWindow& main_;
};

// How many threads this process has now (Linux: the entries of /proc/self/task).
inline int ThreadCount() {
  return static_cast<int>(
      std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
}

// What a phone's camera reads from `picture` as drawn on screen; empty when it finds no QR code.
std::string ScanText(QWidget& picture);

}  // namespace hosting::e2e
