// The sandbox's own pages under /custody/sandbox/: the page a phone opens from the QR code, the
// admin page that plays the platform's operators, and the avatar pictures.

#include <string>

#include "sandbox/admin_access.h"
#include "sandbox/answers.h"
#include "sandbox/avatar_image.h"
#include "sandbox/form_body.h"
#include "sandbox/platform_time.h"
#include "sandbox/routes.h"

namespace sandbox {

namespace {

constexpr std::string_view kAdminPath = "sandbox/";

// What the admin page's own links and forms append so that the token travels with them.
std::string AdminQuery(const PlatformContext& platform) {
  const std::string& token = platform.config().adminToken;
  return token.empty() ? std::string() : "?" + std::string(kAdminTokenParam) + "=" + token;
}

std::string Page(std::string_view title, std::string_view body) {
  return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         std::string(title) +
         "</title>\n<style>body{font-family:sans-serif;margin:1.5em}table{border-collapse:"
         "collapse}td,th{border:1px solid #ccc;padding:4px 8px}button{font-size:1.1em}</style>\n"
         "</head>\n<body>\n" +
         std::string(body) + "</body>\n</html>\n";
}

std::string ScanBody(PlatformContext& platform, const std::string& token) {
  const auto code = platform.hosting.FindByToken(token);
  if (!code) {
    return "<h1>二维码不存在</h1>\n";
  }
  const auto member = platform.members.Find(code->memberId);
  const std::int64_t secondsLeft = (code->expiresMs - platform.Now()) / 1000;
  std::string body = "<h1>托管登录确认</h1>\n<p>会员：" +
                     HtmlEscape(member ? member->account : std::string()) + "</p>\n<p>编号：" +
                     std::to_string(code->id) + "</p>\n";
  if (code->state != HostedState::kWaiting) {
    return body + "<p>已确认：" + HtmlEscape(code->nickname) + " 已登录托管。</p>\n";
  }
  if (secondsLeft <= 0) {
    return body + "<p>二维码已失效，请在客户端重新获取。</p>\n";
  }
  return body + "<p>二维码 " + std::to_string(secondsLeft) +
         " 秒后失效。</p>\n<form method=\"post\" action=\"scan\">\n<input type=\"hidden\" "
         "name=\"code\" value=\"" +
         HtmlEscape(token) + "\">\n<button type=\"submit\">确认登录</button>\n</form>\n";
}

void ShowScan(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  SendHtml(res, Page("托管登录确认", ScanBody(platform, req.get_param_value("code"))));
}

void ConfirmScan(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const std::string token = FormFields::Parse(req.body).Utf8("code");
  const char* outcome = "二维码不存在";
  switch (platform.hosting.Confirm(token, platform.Now())) {
    case ConfirmResult::kConfirmed:
      outcome = "确认成功，账号已登录托管。";
      break;
    case ConfirmResult::kAlreadyConfirmed:
      outcome = "该二维码已确认过。";
      break;
    case ConfirmResult::kExpired:
      outcome = "二维码已失效，请在客户端重新获取。";
      break;
    case ConfirmResult::kUnknown:
      res.status = 404;
      break;
  }
  SendHtml(res, Page("托管登录确认", "<h1>" + std::string(outcome) + "</h1>\n"));
}

void ServeAvatar(PlatformContext&, const httplib::Request& req, httplib::Response& res) {
  std::string_view name = req.path;
  name.remove_prefix(PlatformPath("sandbox/avatar/").size());
  const auto id = name.ends_with(".bmp") ? ParseId(name.substr(0, name.size() - 4)) : std::nullopt;
  if (!id) {
    res.status = 404;
    SendJson(res, Envelope(false, "图片不存在"));
    return;
  }
  res.set_header("Cache-Control", "max-age=86400");
  res.set_content(RenderAvatar(static_cast<std::uint64_t>(*id)), "image/bmp");
}

std::string Option(int value, int selected, const char* label) {
  return "<option value=\"" + std::to_string(value) + "\"" +
         (value == selected ? " selected" : "") + ">" + label + "</option>";
}

std::string AccountsTable(PlatformContext& platform, const std::string& query) {
  std::string html =
      "<h2>托管账号</h2>\n<table>\n<tr><th>ID</th><th>会员</th><th>昵称</th><th>状态</th>"
      "<th></th></tr>\n";
  for (const auto& account : platform.hosting.All()) {
    const bool online = account.state == HostedState::kOnline;
    const auto member = platform.members.Find(account.memberId);
    html += "<tr><td>" + std::to_string(account.id) + "</td><td>" +
            HtmlEscape(member ? member->account : "") + "</td><td>" + HtmlEscape(account.nickname) +
            "</td><td>" + (online ? "在线" : "离线") +
            "</td><td><form method=\"post\" action=\"account" + query +
            "\"><input type=\"hidden\" "
            "name=\"id\" value=\"" +
            std::to_string(account.id) + "\"><input type=\"hidden\" name=\"online\" value=\"" +
            (online ? "0" : "1") + "\"><button>" + (online ? "设为离线" : "设为在线") +
            "</button></form></td></tr>\n";
  }
  return html + "</table>\n";
}

std::string SettlementForm(const std::string& query) {
  return "<h2>添加结算</h2>\n<form method=\"post\" action=\"settlement" + query +
         "\">\n"
         "会员 <input name=\"account\" size=\"10\"> 类型 <input name=\"typeid\" value=\"4\" "
         "size=\"2\"> 金额(元) <input name=\"money\" value=\"12.50\" size=\"6\"> 时间戳 <select "
         "name=\"stamp\"><option value=\"ms\">13位(毫秒)</option><option "
         "value=\"s\">10位(秒)</option></select> <button>添加</button>\n</form>\n";
}

std::string WithdrawalsTable(PlatformContext& platform, const std::string& query) {
  std::string html =
      "<h2>提现记录</h2>\n<table>\n<tr><th>交易号</th><th>会员</th><th>金额</th><th>支付宝</th>"
      "<th>状态</th></tr>\n";
  for (const auto& row : platform.ledger.AllWithdrawals()) {
    const auto member = platform.members.Find(row.memberId);
    html += "<tr><td>" + HtmlEscape(row.outBizNo) + "</td><td>" +
            HtmlEscape(member ? member->account : "") + "</td><td>" + YuanText(row.cents) +
            "</td><td>" + HtmlEscape(row.aliAccount + " " + row.realname) +
            "</td><td><form method=\"post\" action=\"withdrawal" + query +
            "\"><input type=\"hidden\" "
            "name=\"id\" value=\"" +
            std::to_string(row.id) + "\"><select name=\"status\">" +
            Option(0, row.status, "申请提现") + Option(1, row.status, "申请通过") +
            Option(2, row.status, "申请未通过") + "</select> <select name=\"pay_status\">" +
            Option(0, row.payStatus, "未打款") + Option(1, row.payStatus, "已打款") +
            Option(2, row.payStatus, "打款失败") + Option(3, row.payStatus, "打款中") +
            "</select> <button>保存</button></form></td></tr>\n";
  }
  return html + "</table>\n";
}

void ShowAdmin(PlatformContext& platform, const httplib::Request&, httplib::Response& res) {
  std::string members = "<h2>会员</h2>\n<ul>\n";
  for (const auto& member : platform.members.All()) {
    const auto balances = platform.ledger.BalancesOf(member.id, platform.Now());
    members += "<li>" + HtmlEscape(member.account) + "：可提现 ￥" +
               YuanText(balances.withdrawableCents) + "，支付宝 " +
               HtmlEscape(member.aliAccount.empty() ? "未绑定" : member.aliAccount) + "</li>\n";
  }
  const std::string query = HtmlEscape(AdminQuery(platform));
  SendHtml(res, Page("沙盒管理", "<h1>沙盒管理</h1>\n" + members + "</ul>\n" +
                                     AccountsTable(platform, query) + SettlementForm(query) +
                                     WithdrawalsTable(platform, query)));
}

void BackToAdmin(const PlatformContext& platform, httplib::Response& res, bool done) {
  if (!done) {
    res.status = 400;
    SendHtml(res, Page("沙盒管理", "<p>输入有误。<a href=\"./" + HtmlEscape(AdminQuery(platform)) +
                                       "\">返回</a></p>\n"));
    return;
  }
  res.set_redirect(PlatformPath(kAdminPath) + AdminQuery(platform), 303);
}

// Admin handlers run only for requests that carry the token (when one is required); others get
// 403 and change nothing.
template <typename Handler>
Router::Handler AdminOnly(PlatformContext& platform, Handler handler) {
  return [&platform, handler](const httplib::Request& req, httplib::Response& res) {
    if (!AdminAllowed(platform.config().adminToken, req)) {
      res.status = 403;
      SendHtml(res, Page("沙盒管理", "<p>需要管理令牌。</p>\n"));
      return;
    }
    handler(platform, req, res);
  };
}

void SetAccountState(PlatformContext& platform, const httplib::Request& req,
                     httplib::Response& res) {
  const auto form = FormFields::Parse(req.body);
  const auto id = ParseId(form.Raw("id").value_or(""));
  BackToAdmin(platform, res, id && platform.hosting.SetOnline(*id, form.Raw("online") == "1"));
}

void AddSettlement(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const auto form = FormFields::Parse(req.body);
  const auto member = platform.members.FindId(form.Utf8("account"));
  const auto typeId = ParseId(form.Raw("typeid").value_or(""));
  const auto cents = ParseYuan(form.Raw("money").value_or(""));
  if (!member || !typeId || *typeId > 1000 || !cents || *cents == 0) {
    BackToAdmin(platform, res, false);
    return;
  }
  Settlement row;
  row.memberId = *member;
  row.typeId = static_cast<int>(*typeId);
  row.cents = *cents;
  row.atMs = platform.Now();
  row.stampInSeconds = form.Raw("stamp") == "s";
  platform.ledger.AddSettlement(row);
  BackToAdmin(platform, res, true);
}

void SetWithdrawalState(PlatformContext& platform, const httplib::Request& req,
                        httplib::Response& res) {
  const auto form = FormFields::Parse(req.body);
  const auto id = ParseId(form.Raw("id").value_or(""));
  const auto status = ParseId(form.Raw("status").value_or(""));
  const auto payStatus = ParseId(form.Raw("pay_status").value_or(""));
  const bool valid = id && status && payStatus && *status <= 2 && *payStatus <= 3;
  BackToAdmin(
      platform, res,
      valid && platform.ledger.SetWithdrawalState(*id, static_cast<int>(*status),
                                                  static_cast<int>(*payStatus), platform.Now()));
}

}  // namespace

void AddSandboxRoutes(Router& router, PlatformContext& platform) {
  router.Add(PlatformPath("sandbox/scan"), {"GET"}, WithPlatform(platform, ShowScan));
  router.Add(PlatformPath("sandbox/scan"), {"POST"}, WithPlatform(platform, ConfirmScan));
  router.AddPrefix(PlatformPath("sandbox/avatar/"), {"GET"}, WithPlatform(platform, ServeAvatar));
  // The scan page stays open: a phone reaches it through the code's own unguessable token.
  router.Add(PlatformPath(kAdminPath), {"GET"}, AdminOnly(platform, ShowAdmin));
  router.Add(PlatformPath("sandbox/account"), {"POST"}, AdminOnly(platform, SetAccountState));
  router.Add(PlatformPath("sandbox/settlement"), {"POST"}, AdminOnly(platform, AddSettlement));
  router.Add(PlatformPath("sandbox/withdrawal"), {"POST"}, AdminOnly(platform, SetWithdrawalState));
}

}  // namespace sandbox
