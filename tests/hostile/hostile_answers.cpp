#include "hostile/hostile_answers.h"

namespace hosting::hostile {
namespace {

using net::testing::HttpReply;
using net::testing::Reply;

enum class Shape { kEnvelope, kHostedList, kEarnings, kWithdrawals, kPage, kPicture };

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

Shape ShapeOf(std::string_view target) {
  for (const auto& [part, shape] : {std::pair{"generate.do", Shape::kPicture},
                                    {"/avatar", Shape::kPicture},
                                    {"weixin/list.do", Shape::kHostedList},
                                    {"getJieSuan.do", Shape::kEarnings},
                                    {"getTixianList.do", Shape::kWithdrawals},
                                    {"pageController.do", Shape::kPage}})
    if (Contains(target, part))
      return shape;
  return Shape::kEnvelope;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text)
    quoted += (c == '"' || c == '\\') ? std::string{'\\', c} : std::string{c};
  return quoted + "\"";
}

// The lists of earnings and withdrawals come as JSON once more, in the text "jsonStr".
std::string ListAnswer(Shape shape, const std::string& list) {
  const char* name = shape == Shape::kEarnings      ? "jieSuanEntityList"
                     : shape == Shape::kWithdrawals ? "withdrawEntityList"
                                                    : nullptr;
  if (name == nullptr)
    return list;
  return "{\"success\":true,\"jsonStr\":" +
         Quoted("{\"attributes\":{\"" + std::string(name) + "\":" + list + "}}") + "}";
}

// One accepted list element.
std::string Element(Shape shape) {
  if (shape == Shape::kEarnings)
    return R"({"id":"1","typeid":"4","money":"1.5","add_time":"1577808000"})";
  if (shape == Shape::kWithdrawals)
    return R"({"out_biz_no":"T1","money":"10","status":"1","pay_status":"3",)"
           R"("add_time":"1577808000","up_time":"1577808000"})";
  return R"({"id":"101","is_stop":"0","nickname":"小号","headimg":"http://127.0.0.1:1/a.png"})";
}

std::string AcceptedList(Shape shape, int rows = 1) {
  const std::string element = Element(shape);
  std::string list = "[" + element;
  for (int row = 1; row < rows; ++row)
    list += "," + element;
  return ListAnswer(shape, list + "]");
}

std::string AcceptedEnvelope(std::string_view target) {
  if (Contains(target, "/api/"))
    return R"({"msg":"获取成功!","data":{"version":"9.9.9"},"notice":"\u5347\u7ea7"})";
  if (Contains(target, "weixin/code.do"))
    return R"({"success":true,"msg":"获取成功","data":{"id":"7","login_qrcode":"hosting-7","loginType":"1"}})";
  for (const auto& [path, message] : {std::pair{"login.do", "登录成功"},
                                      {"register.do", "注册成功"},
                                      {"changepwd.do", "成功修改密码"},
                                      {"bindAlipay.do", "绑定成功"},
                                      {"withdraw.do", "提现成功，请等待。"}})
    if (Contains(target, path))
      return "{\"success\":true,\"msg\":" + Quoted(message) + "}";
  return R"({"success":true,"msg":"ok"})";
}

// A page with every figure the flows cut out.
std::string Page() {
  const std::string tabs(9, '\t');
  return "<html><head><meta charset=\"utf-8\"></head><body>当前托管小号总数：<span>12</span>"
         "当前在线小号总数：<span id=\"wxonline\">3</span>累计已提现 ￥100.00</td>可提现金额 "
         "￥20.50</td>本日收益额 ￥1.25</td><td>支付宝账户：</td>\r\n" +
         tabs + "<td>pay@example.com\r\n" + tabs + "</td><td>真实姓名：</td>\r\n" + tabs +
         "<td>王五</td></body></html>";
}

std::string AcceptedBody(std::string_view target) {
  switch (const Shape shape = ShapeOf(target)) {
    case Shape::kEnvelope:
      return AcceptedEnvelope(target);
    case Shape::kPage:
      return Page();
    case Shape::kPicture:
      return PngPicture();
    default:
      return AcceptedList(shape);
  }
}

// The left markers only, in an order where no right marker follows any of them.
std::string LeftMarkersOnly() {
  const std::string tabs(9, '\t');
  return "<html><body><td>支付宝账户：</td>\r\n" + tabs + "<td>pay 真实姓名：</td>\r\n" + tabs +
         "<td>王 当前托管小号总数：<span>12 当前在线小号总数：<span id=\"wxonline\">3 "
         "累计已提现 ￥1 可提现金额 ￥2 本日收益额 ￥3";
}

std::string ObjectForListBody(Shape shape) {
  if (shape == Shape::kEnvelope)
    return R"({"success":{"ok":true},"msg":["登录成功"],"data":[{"id":"7"}],"jsonStr":{}})";
  return ListAnswer(shape, "{\"0\":" + Element(shape) + "}");
}

// Deep JSON in an envelope (deep HTML and bare deep lists are cases of the regex and JSON tests).
std::string DeepBody(Shape) {
  constexpr int kDepth = 100000;
  const std::string deep = std::string(kDepth, '[') + std::string(kDepth, ']');
  return R"({"success":false,"msg":"","data":)" + deep + R"(,"jsonStr":)" + Quoted(deep) + "}";
}

// Where no list is read, the hosted list.
std::string ManyRowsBody(Shape shape) {
  const bool listed = shape == Shape::kEarnings || shape == Shape::kWithdrawals;
  return AcceptedList(listed ? shape : Shape::kHostedList, kManyRowCount);
}

Reply Ok(std::string_view body) {
  return {HttpReply("200 OK", {"Content-Type: text/html;charset=UTF-8"}, body)};
}

}  // namespace

std::vector<Hostility> AllHostilities() {
  std::vector<Hostility> all;
  for (int k = 0; k <= static_cast<int>(Hostility::kNotAnImage); ++k)
    all.push_back(static_cast<Hostility>(k));
  return all;
}

std::string Name(Hostility kind) {
  static const char* const kNames[] = {
      "Refused",        "Silent",          "CutMidBody",    "HugeBody",    "BadUtf8",
      "BadGbk",         "NumbersForTexts", "ObjectForList", "DeepNesting", "NoMarkers",
      "LeftMarkerOnly", "ManyRows",        "CookieFlood",   "NotAnImage"};
  return kNames[static_cast<int>(kind)];
}

std::string PngPicture() {  // 1x1 grey
  return std::string(
      "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\0\0\0\0:~\x9bU\0\0\0\nIDATx\x9c"
      "ch\0\0\0\x82\0\x81w\xcdr\xb6\0\0\0\0IEND\xae\x42`\x82",
      67);
}

std::vector<std::string> FloodCookies() {
  std::vector<std::string> cookies;
  for (int i = 0; i < 3000; ++i)
    cookies.push_back("flood" + std::to_string(i) + "=v" + std::to_string(i));
  // The transport refuses a header line over 100 KiB: this one still passes.
  cookies.push_back("huge=" + std::string(std::size_t{64} << 10, 'h'));
  return cookies;
}

Reply HostileReply(Hostility kind, std::string_view target) {
  const Shape shape = ShapeOf(target);
  // The kinds answering a body of the expected shape, in Hostility's order from kBadUtf8.
  static std::string (*const kBodies[])(Shape) = {
      [](Shape) -> std::string {
        return "{\"success\":false,\"msg\":\"\xff\xfe坏\",\"data\":{\"id\":\"\xff\","
               "\"login_qrcode\":\"\xff\",\"loginType\":\"\xff\",\"version\":\"\xff\"}}";
      },
      // 0x81 0x20 and a lone 0xFF are no GBK characters.
      [](Shape) -> std::string { return "{\"success\":false,\"msg\":\"\x81\x20\xff\"}"; },
      [](Shape) -> std::string {
        return R"({"success":0,"msg":404,"data":{"id":7,"login_qrcode":12345,"loginType":0,"version":9},"notice":1})";
      },
      ObjectForListBody,
      DeepBody,
      [](Shape) -> std::string { return "<html><body>系统维护中</body></html>"; },
      [](Shape) { return LeftMarkersOnly(); },
      ManyRowsBody,
  };
  if (kind >= Hostility::kBadUtf8 && kind <= Hostility::kManyRows)
    return Ok(kBodies[static_cast<int>(kind) - static_cast<int>(Hostility::kBadUtf8)](shape));
  if (kind == Hostility::kCutMidBody) {
    // Cut before any figure or decisive member: what came must not be taken as whole.
    const std::string body = AcceptedBody(target);
    const std::string whole = HttpReply("200 OK", {}, body);
    return {whole.substr(0, whole.size() - body.size() + 12), Reply::Then::kClose};
  }
  if (kind == Hostility::kHugeBody) {
    static const Reply huge = Ok(std::string(kHugeBodyBytes, 'x'));  // built once
    return huge;
  }
  if (kind == Hostility::kCookieFlood) {
    std::vector<std::string> head{"Content-Type: text/html;charset=UTF-8"};
    for (const std::string& cookie : FloodCookies())
      head.push_back("Set-Cookie: " + cookie + "; Path=/custody; HttpOnly");
    return {HttpReply("200 OK", head, AcceptedBody(target))};
  }
  return kind == Hostility::kNotAnImage ? Ok("\x89PNG\r\n\x1a\n<html>not a picture</html>")
                                        : Reply{"", Reply::Then::kHang};  // refused or silent
}

std::unique_ptr<testing_support::ScriptedPlatform> ServeHostile(Hostility kind,
                                                                HostileScope scope) {
  return std::make_unique<testing_support::ScriptedPlatform>(
      [kind, scope](std::string_view target) {
        return Contains(target, scope.path) ? HostileReply(kind, target) : Ok(AcceptedBody(target));
      },
      kind == Hostility::kRefused);
}

}  // namespace hosting::hostile
