#include "net/request_headers.h"

#include <array>

#include "net/ascii_text.h"
#include "net/http_method.h"

namespace hosting::net {

namespace {

constexpr std::string_view kWinInetAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr std::string_view kCrlf = "\r\n";

struct DefaultLine {
  std::string_view key;
  std::string_view line;
};

constexpr std::array<DefaultLine, 4> kLeadingLines = {{
    {"User-Agent: ",
     "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"},
    {"Accept: ", "Accept: text/html, application/xhtml+xml, */*\r\n"},
    {"Accept-Encoding: ", "Accept-Encoding: gbk, GB2312\r\n"},
    {"Accept-Language: ", "Accept-Language: zh-cn\r\n"},
}};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

void AppendUnlessContains(std::string& headers, std::string_view key, std::string_view line) {
  if (headers.find(key) == std::string::npos) {
    headers += kCrlf;
    headers += line;
  }
}

}  // namespace

std::string WinHttpHeaderBlock(std::string_view headers, std::int32_t method,
                               const std::string* cookies) {
  std::string block(headers);
  if (!block.empty()) {
    block += kCrlf;
  }
  for (const auto& [key, line] : kLeadingLines) {
    if (!ContainsIgnoreCase(block, key)) {
      block += line;
    }
  }
  if (NormalizeMethod(method) == kMethodPost) {
    if (block.find("content-type:") != std::string::npos) {
      ReplaceAll(block, "content-type", "Content-Type");
    }
    if (block.find("Content-Type:") == std::string::npos) {
      block += "Content-Type: application/x-www-form-urlencoded\r\n";
    }
  }
  if (!ContainsIgnoreCase(block, "Cache-Control: ")) {
    block += "Cache-Control: no-cache\r\n";
  }
  if (cookies != nullptr && !cookies->empty() && !ContainsIgnoreCase(block, "Cookie: ")) {
    block += "Cookie: " + *cookies + "\r\n";
  }
  return block;
}

void CompleteWinInetHeaders(std::string& headers, std::string_view url, std::int32_t method,
                            const std::string* cookies) {
  if (headers.empty()) {
    headers = "Accept: */*";
  } else {
    AppendUnlessContains(headers, "Accept:", "Accept: */*");
  }
  AppendUnlessContains(headers, "Referer:", "Referer: " + std::string(url));
  AppendUnlessContains(headers, "Accept-Language:", "Accept-Language: zh-cn");
  if (NormalizeMethod(method) == kMethodPost) {
    AppendUnlessContains(headers,
                         "Content-Type:", "Content-Type: application/x-www-form-urlencoded");
  }
  if (cookies != nullptr && !cookies->empty()) {
    headers += kCrlf;
    if (cookies->find("Cookie:") == std::string::npos) {
      headers += "Cookie: ";
    }
    headers += *cookies;
  }
}

std::string WinInetUserAgent(std::string_view headers) {
  constexpr std::string_view kKey = "User-Agent:";
  const std::size_t key = FindIgnoreCase(headers, kKey);
  if (key == std::string_view::npos) {
    return std::string(kWinInetAgent);
  }
  const std::string_view value = headers.substr(key + kKey.size());
  std::string_view agent = TrimBlanks(value.substr(0, value.find(kCrlf)));
  if (agent.empty()) {
    agent = TrimBlanks(headers.substr(headers.find(':') + 1));
  }
  return std::string(agent.substr(0, agent.find_first_of("\r\n")));
}

std::vector<std::string> HeaderLines(std::string_view block) {
  std::vector<std::string> lines;
  while (!block.empty()) {
    const std::size_t end = std::min(block.find(kCrlf), block.size());
    if (end > 0) {
      lines.emplace_back(block.substr(0, end));
    }
    block.remove_prefix(std::min(end + kCrlf.size(), block.size()));
  }
  return lines;
}

}  // namespace hosting::net
