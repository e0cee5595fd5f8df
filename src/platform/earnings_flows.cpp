#include "platform/earnings_flows.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "data/json_object.h"
#include "net/form_encoding.h"
#include "net/text_helpers.h"
#include "platform/platform_requests.h"
#include "platform/platform_time.h"

namespace hosting::platform {
namespace {

// The list answers carry their JSON a second time, as the text of "jsonStr".
data::JsonObject InnerAnswer(const std::string& text) {
  data::JsonObject answer;
  answer.Parse(text);
  const std::string inner = answer.GetText("jsonStr");
  answer.Parse(inner);
  return answer;
}

// Reads the members of one element of a list.
class ListElement {
 public:
  ListElement(const data::JsonObject& answer, std::string_view list, int index)
      : answer_(answer), prefix_(std::string(list) + "[" + std::to_string(index) + "].") {}
  std::string operator[](std::string_view member) const {
    return answer_.GetText(prefix_ + std::string(member));
  }

 private:
  const data::JsonObject& answer_;
  std::string prefix_;
};

int ListLength(const data::JsonObject& answer, std::string_view list) {
  return answer.TypeOf(list) == data::JsonObject::kArray ? answer.Count(list) : 0;
}

using TextPair = std::pair<std::string_view, std::string_view>;

std::optional<std::string_view> Find(std::span<const TextPair> table, std::string_view key) {
  for (const auto& [known, shown] : table) {
    if (key == known) {
      return shown;
    }
  }
  return std::nullopt;
}

// The platform's codes of a withdrawal as the member reads them; unknown codes as they are.
std::string Shown(std::span<const TextPair> table, const std::string& code) {
  return std::string(Find(table, code).value_or(code));
}

constexpr std::array<TextPair, 3> kStatusTexts{
    {{"0", "申请提现"}, {"1", "申请通过"}, {"2", "申请未通过"}}};
constexpr std::array<TextPair, 4> kPaymentTexts{
    {{"0", "未打款"}, {"1", "已打款"}, {"2", "打款失败"}, {"3", "打款中"}}};
// The answers to a withdrawal that the member is told about; any other answer shows nothing.
constexpr std::array<TextPair, 5> kWithdrawAnswers{{
    {"提现成功，请等待。", "提现成功!"},
    {"可提现金额不足十元，不可以提现", "可提现金额不足十元，不可以提现"},
    {"验证码错误！", "验证码错误！"},
    {"请先设置收款信息!", "请先绑定支付宝!"},
    {"今天累计提现超过3次！", "今天累计提现超过3次!"},
}};

// One caption cut from a page; left as it is when the page lacks the left marker.
void SetCut(MainView& view, MainCaption caption, const std::string& page, std::string_view left,
            std::string_view right) {
  if (page.find(left) != std::string::npos) {
    view.SetCaption(caption, net::TextBetween(page, left, right));
  }
}

std::string FetchPage(const FlowContext& context, std::string_view path) {
  return PageText(FetchWithoutSession(context, Verb::kPost, context.endpoints.PlatformUrl(path)));
}

void ShowBalances(const FlowContext& context, MainView& view) {
  const std::string page = FetchPage(context, "pageController.do?tixian");
  if (page.find("累计已提现") == std::string::npos) {
    return;
  }
  view.SetCaption(MainCaption::kWithdrawnTotal, net::TextBetween(page, "累计已提现 ￥", "<"));
  view.SetCaption(MainCaption::kWithdrawable, net::TextBetween(page, "可提现金额 ￥", "<"));
  view.SetCaption(MainCaption::kEarnedToday, net::TextBetween(page, "本日收益额 ￥", "<"));
}

void ShowPayoutAccount(const FlowContext& context, MainView& view) {
  const std::string page = FetchPage(context, "pageController.do?baseinfo");
  if (page.find("<button onclick=\"openAlipay()\">绑定支付宝</button>") != std::string::npos) {
    return;  // nothing bound yet
  }
  const std::string lineBreak = "\r\n" + std::string(9, '\t');
  SetCut(view, MainCaption::kPayoutAccount, page, "支付宝账户：</td>" + lineBreak + "<td>",
         lineBreak + "</td>");
  SetCut(view, MainCaption::kPayoutName, page, "真实姓名：</td>" + lineBreak + "<td>", "</td>");
}

}  // namespace

void LoadEarnings(const FlowContext& context, MainView& view) {
  view.ClearRows(MainList::kEarnings);
  const data::JsonObject answer = InnerAnswer(
      CallPlatformApi(context, Verb::kPost, FreshApiPath("userapi/jieSuan/getJieSuan.do"),
                      "page=1&size=99999&suser_id=&typeid="));
  constexpr std::string_view kList = "attributes.jieSuanEntityList";
  const int count = ListLength(answer, kList);
  for (int k = 0; k < count; ++k) {
    const ListElement element(answer, kList, k);
    const std::string type = element["typeid"];
    view.AppendRow(MainList::kEarnings,
                   {element["id"], type == "4" ? "任务" : type, element["money"],
                    FormatPlatformTime(element["add_time"], context.clock)});
  }
}

void LoadWithdrawals(const FlowContext& context, MainView& view) {
  view.ClearRows(MainList::kWithdrawals);
  const data::JsonObject answer = InnerAnswer(
      CallPlatformApi(context, Verb::kGet, FreshApiPath("userapi/tixian/getTixianList.do")));
  constexpr std::string_view kList = "attributes.withdrawEntityList";
  const int count = ListLength(answer, kList);
  // Numbered on from the rows already listed; asked once, not once per row (each question waits
  // for the GUI thread).
  const int listed = view.RowCount(MainList::kWithdrawals);
  for (int k = 0; k < count; ++k) {
    const ListElement element(answer, kList, k);
    view.AppendRow(
        MainList::kWithdrawals,
        {std::to_string(listed + k + 1), element["out_biz_no"], element["money"],
         Shown(kStatusTexts, element["status"]), Shown(kPaymentTexts, element["pay_status"]),
         FormatPlatformTime(element["add_time"], context.clock),
         FormatPlatformTime(element["up_time"], context.clock)});
  }
  ShowBalances(context, view);
  ShowPayoutAccount(context, view);
}

void Withdraw(const FlowContext& context, MainView& view) {
  data::JsonObject answer;
  answer.Parse(CallPlatformApi(context, Verb::kPost, "userapi/tixian/withdraw.do",
                               "checkCode=" + net::FormValue(view.WithdrawCaptcha())));
  if (const auto shown = Find(kWithdrawAnswers, answer.GetText("msg"))) {
    view.ShowMessage(PlainMessage(std::string(*shown)));
  }
}

void BindPayoutAccount(const FlowContext& context, BindAlipayView& view) {
  const std::string body = "realname=" + net::PercentEncodeUtf8(view.RealName()) +
                           "&aliAccount=" + net::FormValue(view.AlipayAccount());
  const std::string text =
      CallPlatformApi(context, Verb::kPost, "userapi/adminUser/bindAlipay.do", body);
  data::JsonObject answer;
  answer.Parse(text);
  view.ShowMessage(
      PlainMessage(answer.GetText("msg") == "绑定成功" ? "绑定成功!" : ShownAnswer(text)));
  view.CloseDialog();
}

}  // namespace hosting::platform
