#include <string>

#include "sandbox/answers.h"
#include "sandbox/captcha_image.h"
#include "sandbox/form_body.h"
#include "sandbox/random_text.h"
#include "sandbox/routes.h"

namespace sandbox {

namespace {

constexpr const char* kRegistrationKey = "580213746691";
constexpr std::size_t kMaxAccountBytes = 60;  // 20 Chinese characters
constexpr std::size_t kMaxPasswordBytes = 64;
constexpr std::size_t kMaxPayoutBytes = 100;

bool HasControlCharacter(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      return true;
    }
  }
  return false;
}

// A refusal text for an account name or password that the platform does not take; "" if fine.
std::string CredentialProblem(std::string_view account, std::string_view password) {
  if (account.empty() || password.empty()) {
    return "账号和密码不能为空";
  }
  if (account.size() > kMaxAccountBytes || HasControlCharacter(account)) {
    return "账号不能超过20个字，且不能含控制字符";
  }
  if (password.size() > kMaxPasswordBytes) {
    return "密码不能超过64个字符";
  }
  return {};
}

void ServeCaptcha(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const std::string session = platform.SessionOf(req, res);
  std::string code = platform.config().fixedCaptcha;
  if (code.empty()) {
    code = RandomDigitText(4);
  }
  SendImage(res, RenderCaptcha(code, RandomNumber()));
  platform.sessions.SetCaptcha(session, std::move(code));
}

void Login(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const std::string session = platform.SessionOf(req, res);
  const auto form = FormFields::Parse(req.body);
  const std::string captcha = form.Gbk("checkCode");
  if (!platform.RequireCaptcha(session, captcha, res)) {
    return;
  }
  const std::string account = form.Gbk("account");
  const auto member = platform.members.Authenticate(account, form.Gbk("password"));
  if (!member) {
    SendJson(res, Envelope(false, "用户名或密码错误"));
    return;
  }
  platform.sessions.SpendCaptcha(session, captcha);
  platform.sessions.SetMember(session, member);
  SendJson(res, Envelope(true, "登录成功", {{"id", *member}, {"account", account}}));
}

void Register(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const std::string session = platform.SessionOf(req, res);
  const auto form = FormFields::Parse(req.body);
  const std::string captcha = form.Gbk("checkCode");
  if (!platform.RequireCaptcha(session, captcha, res)) {
    return;
  }
  if (form.Raw("key").value_or("") != kRegistrationKey) {
    SendJson(res, Envelope(false, "注册码无效"));
    return;
  }
  const std::string account = form.Gbk("account");
  const std::string password = form.Gbk("password");
  if (const std::string problem = CredentialProblem(account, password); !problem.empty()) {
    SendJson(res, Envelope(false, problem));
    return;
  }
  if (!platform.members.Register(account, password, platform.Now())) {
    SendJson(res, Envelope(false, "该账号已被注册"));
    return;
  }
  platform.sessions.SpendCaptcha(session, captcha);
  SendJson(res, Envelope(true, "注册成功"));
}

void ChangePassword(PlatformContext& platform, const httplib::Request& req,
                    httplib::Response& res) {
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  const std::string password = FormFields::Parse(req.body).Gbk("password");
  if (password.empty() || password.size() > kMaxPasswordBytes) {
    SendJson(res, Envelope(false, "新密码不能为空，且不能超过64个字符"));
    return;
  }
  platform.members.ChangePassword(*member, password);
  SendJson(res, Envelope(true, "成功修改密码"));
}

void BindPayout(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  const auto form = FormFields::Parse(req.body);
  // The real name comes percent-encoded as UTF-8, the account as the client's GBK.
  const std::string realname = form.Utf8("realname");
  const std::string aliAccount = form.Gbk("aliAccount");
  if (realname.empty() || aliAccount.empty() || realname.size() > kMaxPayoutBytes ||
      aliAccount.size() > kMaxPayoutBytes || HasControlCharacter(realname) ||
      HasControlCharacter(aliAccount)) {
    SendJson(res, Envelope(false, "请填写正确的真实姓名和支付宝账号"));
    return;
  }
  if (!platform.members.BindPayout(*member, realname, aliAccount)) {
    SendJson(res, Envelope(false, "已绑定支付宝，不能重复绑定"));
    return;
  }
  SendJson(res, Envelope(true, "绑定成功"));
}

}  // namespace

void AddAccountRoutes(Router& router, PlatformContext& platform) {
  router.Add(PlatformPath("verificationCode/generate.do"), {"GET"},
             WithPlatform(platform, ServeCaptcha));
  router.Add(PlatformPath("userapi/adminUser/login.do"), {"POST"}, WithPlatform(platform, Login));
  router.Add(PlatformPath("userapi/adminUser/register.do"), {"POST"},
             WithPlatform(platform, Register));
  router.Add(PlatformPath("userapi/adminUser/changepwd.do"), {"POST"},
             WithPlatform(platform, ChangePassword));
  router.Add(PlatformPath("userapi/adminUser/bindAlipay.do"), {"POST"},
             WithPlatform(platform, BindPayout));
}

}  // namespace sandbox
