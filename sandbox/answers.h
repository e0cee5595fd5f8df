#pragma once
// Building the answers of the platform: the JSON envelope of the user API and HTML pages.

#include <httplib.h>

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace sandbox {

// Compact UTF-8 JSON; invalid UTF-8 inside strings becomes U+FFFD instead of throwing.
std::string JsonText(const nlohmann::json& value);
// {"success":…,"msg":…,"data":…,"attributes":…}
nlohmann::json Envelope(bool success, std::string_view msg, nlohmann::json data = nullptr);

void SendJson(httplib::Response& res, const nlohmann::json& value);
void SendHtml(httplib::Response& res, const std::string& html);
void SendImage(httplib::Response& res, const std::string& bmp);

// &, <, >, " and ' as entities, for text placed in HTML.
std::string HtmlEscape(std::string_view text);

}  // namespace sandbox
