#include "sandbox/cookie_header.h"

namespace sandbox {

namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> CookieValues(std::string_view header, std::string_view name) {
  std::vector<std::string> values;
  while (!header.empty()) {
    const std::size_t semi = header.find(';');
    const std::string_view pair = header.substr(0, semi);
    header = semi == std::string_view::npos ? std::string_view{} : header.substr(semi + 1);
    const std::size_t eq = pair.find('=');
    if (eq != std::string_view::npos && Trim(pair.substr(0, eq)) == name) {
      values.emplace_back(Trim(pair.substr(eq + 1)));
    }
  }
  return values;
}

}  // namespace sandbox
