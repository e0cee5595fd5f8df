#include "net/url_target.h"

#include <charconv>

#include "net/ascii_text.h"

namespace hosting::net {

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

std::optional<int> ParsePort(std::string_view text, int defaultPort) {
  if (text.empty()) {
    return defaultPort;
  }
  int port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) {
    return std::nullopt;
  }
  return port;
}

bool IsHostByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte > 0x20 && byte < 0x7F && c != '/' && c != '?' && c != '#' && c != '@' && c != '\\';
}

// "host", "host:port", "[v6]" or "[v6]:port" -> host and port.
std::optional<UrlTarget> SplitHostPort(std::string_view authority, int defaultPort) {
  std::string_view host = authority;
  std::string_view port;
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) {
      return std::nullopt;
    }
    host = authority.substr(0, close + 1);
    const std::string_view rest = authority.substr(close + 1);
    if (!rest.empty() && !rest.starts_with(':')) {
      return std::nullopt;
    }
    port = rest.empty() ? rest : rest.substr(1);
  } else if (const std::size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  const auto number = ParsePort(port, defaultPort);
  if (host.empty() || !number) {
    return std::nullopt;
  }
  for (const char c : host) {
    if (!IsHostByte(c)) {
      return std::nullopt;
    }
  }
  UrlTarget target;
  target.host = std::string(host);
  target.port = *number;
  return target;
}

}  // namespace

std::optional<UrlTarget> SplitWinHttpUrl(std::string_view url) {
  const bool secure = StartsWithIgnoreCase(url, kHttps);
  if (!secure && !StartsWithIgnoreCase(url, kHttp)) {
    return std::nullopt;
  }
  std::string_view rest = url.substr(secure ? kHttps.size() : kHttp.size());
  const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
  std::string_view authority = rest.substr(0, authorityEnd);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    authority.remove_prefix(at + 1);
  }
  auto target = SplitHostPort(authority, secure ? 443 : 80);
  if (!target) {
    return std::nullopt;
  }
  rest.remove_prefix(authorityEnd);
  rest = rest.substr(0, rest.find('#'));
  const std::size_t query = std::min(rest.find('?'), rest.size());
  const std::string_view path = rest.substr(0, query);
  target->secure = secure;
  target->object = std::string(path.empty() ? "/" : path) + std::string(rest.substr(query));
  return target;
}

std::optional<UrlTarget> SplitWinInetUrl(std::string_view url) {
  const bool secure = StartsWithIgnoreCase(url, kHttps);
  std::string lower = ToLowerAscii(url);
  if (!lower.ends_with('/')) {
    lower += '/';
  }
  // Where the host starts in the URL as given; a URL without a scheme is read as "http://".
  std::size_t hostStart = 0;
  if (lower.starts_with(kHttps)) {
    hostStart = kHttps.size();
  } else if (const std::size_t http = lower.find(kHttp); http != std::string::npos) {
    hostStart = http + kHttp.size();
  }
  const std::size_t hostEnd = lower.find('/', hostStart);
  const std::string_view authority = std::string_view(lower).substr(hostStart, hostEnd - hostStart);
  auto target = SplitHostPort(authority, StartsWithIgnoreCase(url, "https") ? 443 : 80);
  if (!target) {
    return std::nullopt;
  }
  target->secure = secure;
  const std::size_t slash = url.find('/', std::min(hostEnd, url.size()));
  target->object = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));
  return target;
}

std::string TransportUrl(const UrlTarget& target) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = target.secure ? std::string(kHttps) : std::string(kHttp);
  url += target.host;
  url += ':';
  url += std::to_string(target.port);
  for (const char c : target.object) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0x0F];
    } else {
      url += c;
    }
  }
  return url;
}

}  // namespace hosting::net
