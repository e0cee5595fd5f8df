#include "sandbox/answers.h"

namespace sandbox {

std::string JsonText(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

nlohmann::json Envelope(bool success, std::string_view msg, nlohmann::json data) {
  return nlohmann::json{
      {"success", success}, {"msg", msg}, {"data", std::move(data)}, {"attributes", nullptr}};
}

void SendJson(httplib::Response& res, const nlohmann::json& value) {
  res.set_content(JsonText(value), "application/json;charset=UTF-8");
}

void SendHtml(httplib::Response& res, const std::string& html) {
  res.set_content(html, "text/html;charset=UTF-8");
}

void SendImage(httplib::Response& res, const std::string& bmp) {
  res.set_header("Cache-Control", "no-store");
  res.set_content(bmp, "image/bmp");
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace sandbox
