#include <string>

#include "sandbox/answers.h"
#include "sandbox/form_body.h"
#include "sandbox/platform_time.h"
#include "sandbox/routes.h"

namespace sandbox {

namespace {

constexpr std::int64_t kMaxPageSize = 99'999;

// The list answers carry their payload as a JSON text inside the member "jsonStr".
nlohmann::json ListAnswer(const char* listName, nlohmann::json list) {
  const std::size_t total = list.size();
  nlohmann::json inner = Envelope(true, "获取成功");
  inner["attributes"] = {{listName, std::move(list)}, {"total", total}};
  nlohmann::json outer = Envelope(true, "获取成功");
  outer["jsonStr"] = JsonText(inner);
  return outer;
}

// A stamp as the platform reports it: 10 digits of seconds or 13 digits of milliseconds.
std::int64_t Stamp(std::int64_t ms, bool inSeconds) {
  return inSeconds ? ms / 1000 : ms;
}

void Settlements(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  const auto form = FormFields::Parse(req.body);
  const Paging paging = PagingOf(form, 20, kMaxPageSize);
  SettlementFilter filter;
  if (const auto typeId = ParseId(form.Raw("typeid").value_or("")); typeId && *typeId < 1000) {
    filter.typeId = static_cast<int>(*typeId);
  }
  filter.suserId = ParseId(form.Raw("suser_id").value_or(""));
  nlohmann::json list = nlohmann::json::array();
  for (const auto& row :
       platform.ledger.Settlements(*member, filter, paging.offset, paging.limit)) {
    list.push_back({{"id", row.id},
                    {"typeid", row.typeId},
                    {"money", YuanText(row.cents)},
                    {"suser_id", row.suserId},
                    {"add_time", Stamp(row.atMs, row.stampInSeconds)}});
  }
  SendJson(res, ListAnswer("jieSuanEntityList", std::move(list)));
}

void Withdrawals(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  nlohmann::json list = nlohmann::json::array();
  for (const auto& row : platform.ledger.Withdrawals(*member)) {
    list.push_back({{"id", row.id},
                    {"out_biz_no", row.outBizNo},
                    {"money", YuanText(row.cents)},
                    {"status", row.status},
                    {"pay_status", row.payStatus},
                    {"ali_account", row.aliAccount},
                    {"realname", row.realname},
                    {"add_time", row.addMs},
                    {"up_time", row.upMs}});
  }
  SendJson(res, ListAnswer("withdrawEntityList", std::move(list)));
}

const char* WithdrawText(WithdrawOutcome outcome) {
  switch (outcome) {
    case WithdrawOutcome::kDone:
      return "提现成功，请等待。";
    case WithdrawOutcome::kNoPayoutAccount:
      return "请先设置收款信息!";
    case WithdrawOutcome::kDailyLimit:
      return "今天累计提现超过3次！";
    case WithdrawOutcome::kTooLittle:
      return "可提现金额不足十元，不可以提现";
    case WithdrawOutcome::kNoMember:
      break;
  }
  return "请先登录";
}

void Withdraw(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  const std::string session = platform.SessionOf(req, res);
  const std::string captcha = FormFields::Parse(req.body).Gbk("checkCode");
  if (!platform.RequireCaptcha(session, captcha, res)) {
    return;
  }
  const WithdrawOutcome outcome = platform.ledger.Withdraw(*member, platform.Now());
  if (outcome == WithdrawOutcome::kDone) {
    platform.sessions.SpendCaptcha(session, captcha);
  }
  SendJson(res, Envelope(outcome == WithdrawOutcome::kDone, WithdrawText(outcome)));
}

}  // namespace

void AddMoneyRoutes(Router& router, PlatformContext& platform) {
  router.Add(PlatformPath("userapi/jieSuan/getJieSuan.do"), {"POST"},
             WithPlatform(platform, Settlements));
  router.Add(PlatformPath("userapi/tixian/getTixianList.do"), {"GET"},
             WithPlatform(platform, Withdrawals));
  router.Add(PlatformPath("userapi/tixian/withdraw.do"), {"POST"},
             WithPlatform(platform, Withdraw));
}

}  // namespace sandbox
