#include "hostile/hostile_platform.h"

#include <functional>

#include "net/codec.h"

namespace hosting::hostile {
namespace {

using net::testing::HttpReply;
using net::testing::Reply;

constexpr std::size_t kCutAfterBytes = 12;

enum class Shape { kEnvelope, kHostedList, kEarnings, kWithdrawals, kPage, kPicture };

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

Shape ShapeOf(std::string_view target) {
  if (Contains(target, "generate.do") || Contains(target, "/avatar")) {
    return Shape::kPicture;
  }
  if (Contains(target, "weixin/list.do")) {
    return Shape::kHostedList;
  }
  if (Contains(target, "getJieSuan.do")) {
    return Shape::kEarnings;
  }
  if (Contains(target, "getTixianList.do")) {
    return Shape::kWithdrawals;
  }
  return Contains(target, "pageController.do") ? Shape::kPage : Shape::kEnvelope;
}

// The text a JSON string literal holds once its quotes and backslashes are escaped.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
    }
    quoted += c;
  }
  return quoted + "\"";
}

// `count` copies of `element` joined into a JSON list.
std::string List(const std::string& element, int count) {
  std::string list = "[";
  for (int i = 0; i < count; ++i) {
    list += (i == 0 ? "" : ",") + element;
  }
  return list + "]";
}

// The two jsonStr answers: the envelope carries the list's JSON once more, as a text.
std::string JsonStrAnswer(std::string_view listName, const std::string& list) {
  return "{\"success\":true,\"jsonStr\":" +
         Quoted("{\"attributes\":{\"" + std::string(listName) + "\":" + list + "}}") + "}";
}

std::string ListAnswer(Shape shape, const std::string& list) {
  if (shape == Shape::kEarnings) {
    return JsonStrAnswer("jieSuanEntityList", list);
  }
  return shape == Shape::kWithdrawals ? JsonStrAnswer("withdrawEntityList", list) : list;
}

// One list element of each list; `text` gives every text member from its accepted value.
std::string Element(Shape shape, const std::function<std::string(std::string)>& text) {
  switch (shape) {
    case Shape::kEarnings:
      return "{\"id\":" + text("1") + ",\"typeid\":" + text("4") + ",\"money\":" + text("1.5") +
             ",\"add_time\":" + text("1577808000") + "}";
    case Shape::kWithdrawals:
      return "{\"out_biz_no\":" + text("T1") + ",\"money\":" + text("10") +
             ",\"status\":" + text("1") + ",\"pay_status\":" + text("3") +
             ",\"add_time\":" + text("1577808000") + ",\"up_time\":" + text("1577808000") + "}";
    default:
      return "{\"id\":" + text("101") + ",\"is_stop\":" + text("0") +
             ",\"nickname\":" + text("小号") + ",\"headimg\":" + text("http://127.0.0.1:1/a.png") +
             "}";
  }
}

std::string AcceptedElement(Shape shape) {
  return Element(shape, [](const std::string& value) { return Quoted(value); });
}

std::string AcceptedEnvelope(std::string_view target) {
  if (Contains(target, "/api/")) {
    return R"({"msg":"获取成功!","data":{"version":"9.9.9"},"notice":"\u5347\u7ea7"})";
  }
  if (Contains(target, "weixin/code.do")) {
    return R"({"success":true,"msg":"获取成功","data":{"id":"7","login_qrcode":"hosting-7","loginType":"1"}})";
  }
  const std::pair<std::string_view, std::string_view> messages[] = {
      {"login.do", "登录成功"},
      {"register.do", "注册成功"},
      {"changepwd.do", "成功修改密码"},
      {"bindAlipay.do", "绑定成功"},
      {"withdraw.do", "提现成功，请等待。"},
  };
  for (const auto& [path, message] : messages) {
    if (Contains(target, path)) {
      return "{\"success\":true,\"msg\":" + Quoted(message) + "}";
    }
  }
  return R"({"success":true,"msg":"ok"})";
}

const std::string kTabs(9, '\t');

// A page with every figure the flows cut out; `charset` goes into its meta tag.
std::string Page(std::string_view charset, std::string_view value) {
  const std::string v(value);
  return "<html><head><meta charset=\"" + std::string(charset) + "\"></head><body>" +
         "当前托管小号总数：<span>" + v + "12</span>当前在线小号总数：<span id=\"wxonline\">" + v +
         "3</span>累计已提现 ￥" + v + "100.00</td>可提现金额 ￥" + v + "20.50</td>本日收益额 ￥" +
         v + "1.25</td><td>支付宝账户：</td>\r\n" + kTabs + "<td>" + v + "pay@example.com\r\n" +
         kTabs + "</td><td>真实姓名：</td>\r\n" + kTabs + "<td>" + v + "王五</td></body></html>";
}

// The left markers only, in an order where no right marker follows any of them.
std::string LeftMarkersOnly() {
  return "<html><body><td>支付宝账户：</td>\r\n" + kTabs + "<td>pay 真实姓名：</td>\r\n" + kTabs +
         "<td>王 当前托管小号总数：<span>12 当前在线小号总数：<span id=\"wxonline\">3 " +
         "累计已提现 ￥1 可提现金额 ￥2 本日收益额 ￥3";
}

// Every text member, and the message, made of bytes that are no UTF-8.
std::string BadUtf8Body(Shape shape) {
  const auto bad = [](const std::string& value) { return Quoted("\xff" + value + "\xc3\x28"); };
  switch (shape) {
    case Shape::kPage:
      return Page("utf-8", "\xff\xfe");
    case Shape::kPicture:
      return "\xff\xfe\xfd\xfc";
    case Shape::kEnvelope:
      return "{\"success\":false,\"msg\":\"\xff\xfe坏\",\"data\":{\"id\":\"\xff\","
             "\"login_qrcode\":\"\xff\",\"loginType\":\"\xff\",\"version\":\"\xff\"}}";
    default:
      return ListAnswer(shape, List(Element(shape, bad), 1));
  }
}

std::string BadGbkBody(Shape shape) {
  // 0x81 0x20 and a lone 0xFF are no GBK characters.
  if (shape == Shape::kPage) {
    std::string page = net::Utf8ToGbk(Page("gbk", "\x01"));
    for (std::size_t at = page.find('\x01'); at != std::string::npos; at = page.find('\x01', at)) {
      page.replace(at, 1, "\x81\x20\xff");
    }
    return page;
  }
  return shape == Shape::kPicture ? "\x81\x20\xff" : "{\"success\":false,\"msg\":\"\x81\x20\xff\"}";
}

std::string NumbersBody(Shape shape) {
  if (shape == Shape::kEnvelope) {
    return R"({"success":0,"msg":404,"data":{"id":7,"login_qrcode":12345,"loginType":0,"version":9},"notice":1})";
  }
  const auto number = [](const std::string&) { return std::string("42"); };
  return ListAnswer(shape, List(Element(shape, number), 1));
}

std::string ObjectForListBody(Shape shape) {
  if (shape == Shape::kEnvelope) {
    return R"({"success":{"ok":true},"msg":["登录成功"],"data":[{"id":"7"}],"jsonStr":{}})";
  }
  return ListAnswer(shape, "{\"0\":" + AcceptedElement(shape) + "}");
}

std::string NullBody(Shape shape) {
  if (shape == Shape::kEnvelope) {
    return R"({"success":null,"msg":null,"data":{"id":null,"login_qrcode":null,"loginType":null},"notice":null,"jsonStr":null})";
  }
  if (shape == Shape::kHostedList) {
    return "null";
  }
  return R"({"success":null,"jsonStr":null})";
}

std::string DeepBody(Shape shape) {
  constexpr std::size_t kDepth = 100000;
  const std::string deep = std::string(kDepth, '[') + std::string(kDepth, ']');
  if (shape == Shape::kPage) {
    std::string page;
    for (std::size_t i = 0; i < kDepth; ++i) {
      page += "<div>";
    }
    return page;
  }
  if (shape == Shape::kHostedList) {
    return deep;
  }
  return R"({"success":false,"msg":"","data":)" + deep + R"(,"jsonStr":)" + Quoted(deep) + "}";
}

std::string ManyRowsBody(Shape shape) {
  if (shape == Shape::kPage) {
    return "<html><body><table>" + List("<tr><td>1</td></tr>", kManyRowCount) + "</table>";
  }
  if (shape == Shape::kEnvelope) {
    return R"({"msg":"","data":)" + List(AcceptedElement(Shape::kHostedList), kManyRowCount) + "}";
  }
  const Shape listShape = shape == Shape::kPicture ? Shape::kHostedList : shape;
  return ListAnswer(listShape, List(AcceptedElement(listShape), kManyRowCount));
}

std::string FloodHead() {
  std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/html;charset=UTF-8\r\n";
  for (const std::string& cookie : FloodCookies()) {
    head += "Set-Cookie: " + cookie + "; Path=/custody; HttpOnly\r\n";
  }
  return head;
}

Reply Ok(std::string_view body) {
  return {HttpReply("200 OK", {"Content-Type: text/html;charset=UTF-8"}, body)};
}

// Made once: every request for it would otherwise build another 50 MB.
const Reply& HugeReply() {
  static const Reply reply = Ok(std::string(kHugeBodyBytes, 'x'));
  return reply;
}

}  // namespace

std::vector<Hostility> AllHostilities() {
  std::vector<Hostility> all;
  for (int k = 0; k <= static_cast<int>(Hostility::kNotAnImage); ++k) {
    all.push_back(static_cast<Hostility>(k));
  }
  return all;
}

std::string Name(Hostility kind) {
  static const char* const kNames[] = {
      "Refused",   "Silent",          "CutMidBody",    "HugeBody",       "BadUtf8",
      "BadGbk",    "NumbersForTexts", "ObjectForList", "NullEverywhere", "DeepNesting",
      "NoMarkers", "LeftMarkerOnly",  "ManyRows",      "CookieFlood",    "NotAnImage"};
  return kNames[static_cast<int>(kind)];
}

std::string PngPicture() {
  // A 1x1 grey PNG.
  static const unsigned char kPng[] = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
      0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00,
      0x00, 0x3A, 0x7E, 0x9B, 0x55, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
      0x9C, 0x63, 0x68, 0x00, 0x00, 0x00, 0x82, 0x00, 0x81, 0x77, 0xCD, 0x72, 0xB6, 0x00,
      0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  return std::string(reinterpret_cast<const char*>(kPng), sizeof(kPng));
}

std::vector<std::string> FloodCookies() {
  std::vector<std::string> cookies;
  for (int i = 0; i < kFloodCookieCount; ++i) {
    cookies.push_back("flood" + std::to_string(i) + "=v" + std::to_string(i));
  }
  cookies.push_back("huge=" + std::string(kHugeCookieBytes, 'h'));
  return cookies;
}

std::string AcceptedBody(std::string_view target) {
  const Shape shape = ShapeOf(target);
  switch (shape) {
    case Shape::kEnvelope:
      return AcceptedEnvelope(target);
    case Shape::kPage:
      return Page("utf-8", "");
    case Shape::kPicture:
      return PngPicture();
    default:
      return ListAnswer(shape, List(AcceptedElement(shape), 1));
  }
}

Reply HostileReply(Hostility kind, std::string_view target) {
  const Shape shape = ShapeOf(target);
  switch (kind) {
    case Hostility::kRefused:
    case Hostility::kSilent:
      return {"", Reply::Then::kHang};
    case Hostility::kCutMidBody: {
      const std::string body = AcceptedBody(target);
      // Cut early, before any figure or decisive member: what came must not be taken as whole.
      const std::string whole = HttpReply("200 OK", {}, body);
      return {whole.substr(0, whole.size() - body.size() + kCutAfterBytes), Reply::Then::kClose};
    }
    case Hostility::kHugeBody:
      return HugeReply();
    case Hostility::kBadUtf8:
      return Ok(BadUtf8Body(shape));
    case Hostility::kBadGbk:
      return Ok(BadGbkBody(shape));
    case Hostility::kNumbersForTexts:
      return Ok(NumbersBody(shape));
    case Hostility::kObjectForList:
      return Ok(ObjectForListBody(shape));
    case Hostility::kNullEverywhere:
      return Ok(NullBody(shape));
    case Hostility::kDeepNesting:
      return Ok(DeepBody(shape));
    case Hostility::kNoMarkers:
      return Ok("<html><body>系统维护中</body></html>");
    case Hostility::kLeftMarkerOnly:
      return Ok(LeftMarkersOnly());
    case Hostility::kManyRows:
      return Ok(ManyRowsBody(shape));
    case Hostility::kCookieFlood: {
      const std::string body = AcceptedBody(target);
      return {FloodHead() + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body};
    }
    case Hostility::kNotAnImage:
      break;
  }
  return Ok("\x89PNG\r\n\x1a\n<html>not a picture</html>");
}

HostilePlatform::HostilePlatform(Hostility kind, HostileScope scope)
    : kind_(kind),
      scope_(std::move(scope)),
      closedUrl_(net::testing::ClosedUrl()),
      server_([this](const std::string& request) { return Answer(request); }) {}

std::string HostilePlatform::BaseUrl() const {
  if (kind_ == Hostility::kRefused) {
    return closedUrl_.substr(0, closedUrl_.size() - 1);  // without the closing slash
  }
  return server_.Url("");
}

bool HostilePlatform::WaitForRequests(int count) const {
  std::unique_lock lock(mutex_);
  return requestRead_.wait_for(lock, std::chrono::minutes(1), [&] { return readCount_ >= count; });
}

Reply HostilePlatform::Answer(const std::string& request) {
  const std::size_t start = request.find(' ') + 1;
  const std::string target = request.substr(start, request.find(' ', start) - start);
  bool accepted = !Contains(target, scope_.path);
  {
    const std::lock_guard lock(mutex_);
    ++readCount_;
    accepted = accepted || scoped_++ < scope_.acceptedFirst;
  }
  requestRead_.notify_all();
  return accepted ? Ok(AcceptedBody(target)) : HostileReply(kind_, target);
}

}  // namespace hosting::hostile
