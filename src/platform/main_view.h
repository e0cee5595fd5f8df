#pragma once
// The flows' view of MainWindow ("平台业务"): hosting page, earnings page and "个人中心".
// Threading and text rules: message_view.h.

#include <string>
#include <vector>

#include "platform/message_view.h"

namespace hosting::platform {

// The captions that flows write.
enum class MainCaption {
  kHostingStatus,   // 透明标签5: "0s", attempt counter, countdown
  kHostedTotal,     // 透明标签3: number of hosted accounts
  kOnlineCount,     // 透明标签19: number of accounts online
  kWithdrawnTotal,  // 透明标签28: "累计已提现 ￥"
  kWithdrawable,    // 透明标签29: "可提现金额 ￥"
  kEarnedToday,     // 透明标签30: "本日收益额 ￥"
  kPayoutAccount,   // 透明标签32: "支付宝账户 ："
  kPayoutName,      // 透明标签34: "真实的姓名 ："
};

// The three list views (report mode).
enum class MainList {
  kHostedAccounts,  // 托管状态: "账号(ID)", "状态", "昵称", "heading" (hidden, the avatar URL)
  kEarnings,        // 微信业绩: "序号", "类型", "金额", "时间"
  kWithdrawals,  // 提现操作: "序号", "交易号", "提现金额", "订单状态", "支付状态", "最近处理",
                 // "创建时间"
};

// Display modes of 图片框_二维码.
enum class PictureMode {
  kTopLeft = 0,       // drawn at its own size from the top-left corner
  kScaledToFill = 1,  // scaled to fill the box
};

struct PictureSize {
  int width = 0;
  int height = 0;
};

class MainView : public MessageView {
 public:
  virtual void SetCaption(MainCaption caption, const std::string& text) = 0;

  // 按钮2 "获取二维码".
  virtual void SetHostingButtonEnabled(bool enabled) = 0;
  // 图片框_二维码: the hosting code or the selected account's avatar.
  virtual void SetQrPicture(const std::string& image) = 0;
  // The avatar of the account in the list's row with this ID and nickname, in 图片框_二维码.
  virtual void SetAvatarPicture(const std::string& image, const std::string& accountId,
                                const std::string& nickname) = 0;
  virtual PictureSize QrPictureSize() = 0;  // its current size in device pixels
  virtual void SetQrPictureMode(PictureMode mode) = 0;
  // The expired state of 图片框_二维码: the picture dimmed under `notice`, which is also its
  // accessible description, and the picture in the tab order after 按钮2, where a click, Space or
  // Enter presses 按钮2. An empty notice ends the state.
  virtual void SetQrExpiredNotice(const std::string& notice) = 0;

  // List views. AppendRow adds a row at the end (missing columns stay empty); rows and columns
  // count from 0; CellText of a missing cell and SelectedRow without a current row give ""/-1.
  virtual void ClearRows(MainList list) = 0;
  virtual void AppendRow(MainList list, const std::vector<std::string>& columns) = 0;
  virtual int RowCount(MainList list) = 0;
  virtual std::string CellText(MainList list, int row, int column) = 0;
  virtual int SelectedRow(MainList list) = 0;  // the current (focused) row
  // 托管状态 replaced in one step. The row whose 账号(ID) was current stays current, and no
  // avatar is fetched for it.
  virtual void ReplaceHostedAccounts(const std::vector<std::vector<std::string>>& rows) = 0;
  // Tells the member that a hosted account went offline, also while the window is in the
  // background (a tray notification, or a notice below 托管状态 and an alert).
  virtual void AnnounceOffline(const std::string& text) = 0;

  // "个人中心": 编辑框1 (withdrawal captcha answer) and 图片框3 (withdrawal captcha picture).
  virtual std::string WithdrawCaptcha() = 0;
  virtual void SetWithdrawCaptchaPicture(const std::string& image) = 0;
};

}  // namespace hosting::platform
