// The HTML pages of the platform. The client cuts figures out of them by fixed markers, so the
// text right around each figure must stay exactly as it is written here.

#include <string>

#include "sandbox/answers.h"
#include "sandbox/platform_time.h"
#include "sandbox/routes.h"

namespace sandbox {

namespace {

// A line break of the payout table: CR LF and the nine tabs of the page's indentation.
constexpr const char* kTableBreak = "\r\n\t\t\t\t\t\t\t\t\t";

std::string Page(std::string_view title, std::string_view body) {
  return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + std::string(title) +
         "</title>\n<style>body{font-family:sans-serif;margin:2em}td{padding:4px 8px}</style>\n"
         "</head>\n<body>\n" +
         std::string(body) + "</body>\n</html>\n";
}

std::string LoginPage() {
  return Page("托管平台 - 登录",
              "<h1>托管平台</h1>\n"
              "<form method=\"post\" action=\"userapi/adminUser/login.do\">\n"
              "<p>账号：<input name=\"account\"></p>\n"
              "<p>密码：<input name=\"password\" type=\"password\"></p>\n"
              "<p>验证码：<input name=\"checkCode\" size=\"4\"> "
              "<img src=\"verificationCode/generate.do?0.961945197493981\" alt=\"验证码\"></p>\n"
              "<p><button type=\"submit\">登录</button></p>\n</form>\n");
}

std::string IndexPage(PlatformContext& platform, std::int64_t member) {
  const auto counts = platform.hosting.Count(member);
  return Page("托管平台 - 首页",
              "<h1>首页</h1>\n<div class=\"stat\">当前托管小号总数：<span>" +
                  std::to_string(counts.total) +
                  "</span></div>\n<div class=\"stat\">当前在线小号总数：<span id=\"wxonline\">" +
                  std::to_string(counts.online) + "</span></div>\n");
}

std::string WithdrawalPage(PlatformContext& platform, std::int64_t member) {
  const auto balances = platform.ledger.BalancesOf(member, platform.Now());
  return Page("托管平台 - 提现",
              "<h1>提现</h1>\n<ul>\n<li>累计已提现 ￥" + YuanText(balances.withdrawnCents) +
                  "</li>\n<li>可提现金额 ￥" + YuanText(balances.withdrawableCents) +
                  "</li>\n<li>本日收益额 ￥" + YuanText(balances.todayCents) +
                  "</li>\n</ul>\n<p>验证码：<input id=\"checkCode\" size=\"4\"> "
                  "<img src=\"verificationCode/generate.do?0.08883326329838614\" "
                  "alt=\"验证码\"></p>\n<p><button id=\"withdraw\">提现</button></p>\n");
}

std::string BaseInfoPage(PlatformContext& platform, std::int64_t member) {
  const auto found = platform.members.Find(member);
  const Member info = found.value_or(Member{});
  std::string body = "<h1>基本信息</h1>\n<table>\n\t<tr>\n\t\t<td>账号：</td>\n\t\t<td>" +
                     HtmlEscape(info.account) + "</td>\n\t</tr>\n";
  if (info.aliAccount.empty()) {
    body +=
        "\t<tr>\n\t\t<td>支付宝账户：</td>\n\t\t<td>未绑定 "
        "<button onclick=\"openAlipay()\">绑定支付宝</button></td>\n\t</tr>\n";
  } else {
    body += std::string("\t<tr>\n\t\t<td>支付宝账户：</td>") + kTableBreak + "<td>" +
            HtmlEscape(info.aliAccount) + kTableBreak + "</td>\n\t</tr>\n" +
            "\t<tr>\n\t\t<td>真实姓名：</td>" + kTableBreak + "<td>" + HtmlEscape(info.realname) +
            "</td>\n\t</tr>\n";
  }
  return Page("托管平台 - 基本信息", body + "</table>\n");
}

void ServePage(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const std::string session = platform.SessionOf(req, res);
  if (req.has_param("goLogin")) {
    SendHtml(res, LoginPage());
    return;
  }
  const bool known = req.has_param("index") || req.has_param("tixian") || req.has_param("baseinfo");
  if (!known) {
    res.status = 404;
    SendHtml(res, Page("404", "<p>页面不存在</p>\n"));
    return;
  }
  const auto member = platform.sessions.MemberOf(session);
  if (!member) {
    res.set_redirect(PlatformPath("pageController.do?goLogin"));
    return;
  }
  if (req.has_param("index")) {
    SendHtml(res, IndexPage(platform, *member));
  } else if (req.has_param("tixian")) {
    SendHtml(res, WithdrawalPage(platform, *member));
  } else {
    SendHtml(res, BaseInfoPage(platform, *member));
  }
}

}  // namespace

void AddPageRoutes(Router& router, PlatformContext& platform) {
  router.Add(PlatformPath("pageController.do"), {"GET", "POST"}, WithPlatform(platform, ServePage));
}

}  // namespace sandbox
