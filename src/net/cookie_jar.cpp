#include "net/cookie_jar.h"

#include <algorithm>
#include <vector>

#include "net/ascii_text.h"

namespace hosting::net {

namespace {

constexpr std::string_view kSetCookie = "Set-Cookie:";
constexpr std::string_view kSeparator = "; ";

// Splits at every separator; an empty last piece is dropped, so "" gives no items and "a;"
// gives one, while an empty piece between two separators is kept.
std::vector<std::string> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator, start)) {
    items.emplace_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  if (start < text.size()) {
    items.emplace_back(text.substr(start));
  }
  return items;
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) {
    out += item;
    out += kSeparator;
  }
  out.resize(out.size() - std::min(out.size(), kSeparator.size()));
  return out;
}

std::string_view CookieName(std::string_view item) {
  return TrimBlanks(item.substr(0, item.find('=')));
}

std::string RemoveEveryIgnoreCase(std::string_view line, std::string_view key) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t at = FindIgnoreCase(line, key); at != std::string_view::npos;
       at = FindIgnoreCase(line, key, start)) {
    out += line.substr(start, at - start);
    start = at + key.size();
  }
  out += line.substr(start);
  return out;
}

std::string SetCookiePair(std::string_view line) {
  const std::size_t key = line.find(kSetCookie);
  const std::size_t semicolon = line.find(';', key == std::string_view::npos ? 0 : key);
  if (semicolon == std::string_view::npos) {
    return std::string(TrimBlanks(RemoveEveryIgnoreCase(line, kSetCookie)));
  }
  const std::size_t start = key + kSetCookie.size();
  return std::string(TrimBlanks(line.substr(start, semicolon - start)));
}

// Past kMaxJarCookies, drops the last cookies of names the jar did not hold: a flood of new names
// cannot push the session out, and a cookie that replaces one held takes no extra room. Counts
// the merged items, so blanks and repeats in the old jar take no room either.
void DropSurplusNewNames(std::vector<std::string>& merged, const std::vector<std::string>& held) {
  auto count = static_cast<std::size_t>(
      std::count_if(merged.begin(), merged.end(), [](const auto& item) { return !item.empty(); }));
  for (auto item = merged.end(); count > kMaxJarCookies && item != merged.begin();) {
    --item;
    const bool isNew =
        !item->empty() && std::none_of(held.begin(), held.end(), [&](const auto& old) {
          return CookieName(old) == CookieName(*item);
        });
    if (isNew) {
      item = merged.erase(item);
      --count;
    }
  }
}

}  // namespace

std::string ExtractSetCookies(std::string_view headerBlock) {
  std::vector<std::string> pairs;
  for (const auto& line : Split(headerBlock, "\r\n")) {
    const std::size_t colon = line.find(": ");
    if (colon != std::string::npos && std::string_view(line).substr(0, colon) == "Set-Cookie") {
      pairs.push_back(SetCookiePair(line));
    }
  }
  return Join(pairs);
}

std::string MergeCookies(std::string& jar, std::string& fresh) {
  jar = RemoveBlanks(jar);
  fresh = RemoveBlanks(fresh);
  std::vector<std::string> held = Split(jar, ";");
  std::vector<std::string> items = Split(fresh, ";");
  std::erase_if(items, [](const std::string& item) { return item.size() > kMaxCookieBytes; });
  for (const auto& old : held) {
    const bool setAgain = std::any_of(items.begin(), items.end(), [&](const std::string& item) {
      return CookieName(item) == CookieName(old);
    });
    if (!setAgain) {
      items.push_back(old);
    }
  }
  std::erase_if(items, [](const std::string& item) { return item.ends_with("=deleted"); });
  std::vector<std::string> unique;
  for (auto& item : Split(Join(items), kSeparator)) {
    if (std::find(unique.begin(), unique.end(), item) == unique.end()) {
      unique.push_back(std::move(item));
    }
  }
  DropSurplusNewNames(unique, held);
  jar = Join(unique);
  return jar;
}

}  // namespace hosting::net
