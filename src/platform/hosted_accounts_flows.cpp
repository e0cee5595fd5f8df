#include "platform/hosted_accounts_flows.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "data/json_object.h"
#include "net/codec.h"
#include "net/text_helpers.h"
#include "platform/platform_requests.h"

namespace hosting::platform {
namespace {

constexpr int kIdColumn = 0;
constexpr int kNicknameColumn = 2;
constexpr int kAvatarColumn = 3;
// The one page the list asks for; a platform that sends more is not believed beyond it.
constexpr int kPageSize = 50;

std::string Element(const data::JsonObject& answer, int index, std::string_view member) {
  return answer.GetText("data[" + std::to_string(index) + "]." + std::string(member));
}

bool IsWebAddress(std::string_view url) {
  const auto startsWith = [url](std::string_view prefix) {
    if (url.size() < prefix.size()) {
      return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(url[i])) != prefix[i]) {
        return false;
      }
    }
    return true;
  };
  return startsWith("http://") || startsWith("https://");
}

}  // namespace

std::optional<HostedRows> FetchHostedAccountRows(const FlowContext& context) {
  const std::string text =
      CallPlatformApi(context, Verb::kPost, FreshApiPath("userapi/weixin/list.do"),
                      "page=1&size=" + std::to_string(kPageSize));
  // The answer is a bare array: wrapped, it is reached at "data".
  data::JsonObject answer;
  answer.Parse("{\"data\":" + text + "}");
  if (answer.TypeOf("data") != data::JsonObject::kArray) {
    return std::nullopt;
  }
  const int count = std::min(answer.Count("data"), kPageSize);
  HostedRows rows;
  for (int k = 0; k < count; ++k) {
    rows.push_back({Element(answer, k, "id"),
                    Element(answer, k, "is_stop") == "0" ? "在线" : "离线",
                    Element(answer, k, "nickname"), Element(answer, k, "headimg")});
  }
  return rows;
}

void LoadHostedAccounts(const FlowContext& context, MainView& view) {
  view.ClearRows(MainList::kHostedAccounts);
  for (const auto& row : FetchHostedAccountRows(context).value_or(HostedRows{})) {
    view.AppendRow(MainList::kHostedAccounts, row);
  }
}

void LoadHomeCounters(const FlowContext& context, MainView& view) {
  const std::string page = net::SanitizeUtf8(
      net::UrlDecode(CallPlatformApi(context, Verb::kPost, "pageController.do?index")));
  if (page.find("当前托管小号总数") == std::string::npos) {
    return;
  }
  view.SetCaption(MainCaption::kHostedTotal,
                  net::TextBetween(page, "当前托管小号总数：<span>", "</span>"));
  view.SetCaption(MainCaption::kOnlineCount,
                  net::TextBetween(page, "当前在线小号总数：<span id=\"wxonline\">", "</span>"));
}

void RefreshHostingPage(const FlowContext& context, const std::shared_ptr<MainView>& view) {
  const std::shared_ptr<void> running = context.hostedList.BeginMemberRefresh();
  view->ClearRows(MainList::kHostedAccounts);
  context.runner.RunInBackground([&context, view, running] { LoadHostedAccounts(context, *view); });
  context.runner.RunInBackground([&context, view, running] { LoadHomeCounters(context, *view); });
}

void ClearOfflineAccounts(const FlowContext& context) {
  CallPlatformApi(context, Verb::kGet, FreshApiPath("userapi/weixin/clearwx.do"));
}

void ShowSelectedAvatar(const FlowContext& context, MainView& view) {
  context.countdown.CoverCode();
  view.SetQrExpiredNotice({});
  view.SetQrPictureMode(PictureMode::kScaledToFill);
  const int row = view.SelectedRow(MainList::kHostedAccounts);
  const auto cell = [&view, row](int column) {
    return view.CellText(MainList::kHostedAccounts, row, column);
  };
  const std::string url = cell(kAvatarColumn);
  view.SetAvatarPicture(
      IsWebAddress(url) ? FetchWithoutSession(context, Verb::kGet, url) : std::string(),
      cell(kIdColumn), cell(kNicknameColumn));
}

}  // namespace hosting::platform
