// Set cookies merged into a jar: fresh ones first and in order; none blank, repeated or deleted.
#include <algorithm>

#include "fuzz_support.h"
#include "net/cookie_jar.h"

const std::size_t hosting::fuzz::kFieldCount = 2;

void hosting::fuzz::Fuzz(const Fields& fields) {
  const auto HasBlank = [](std::string_view text) {
    return text.find(' ') != text.npos || text.find(kFullWidthSpace) != text.npos;
  };
  std::string fresh = net::ExtractSetCookies(fields[0]), jar(fields[1]);
  const std::string merged = net::MergeCookies(jar, fresh);
  Require(merged == jar && !HasBlank(fresh), "merged into the jar, blanks removed");
  Fields items = Pieces(merged, "; ", merged.size() + 1);
  std::erase(items, std::string_view{});  // a Set-Cookie line without a pair leaves an empty item
  for (auto item = items.begin(); item != items.end(); ++item) {
    Require(!HasBlank(*item) && !item->ends_with("=deleted") &&
                std::find(items.begin(), item, *item) == item,
            "no blank, deleted or repeated cookie");
  }
  // The fresh cookies lead, in their order (repeats and deleted aside); one is left out only when
  // it is too long or the jar is full.
  auto next = items.begin();
  for (const std::string_view item : Pieces(fresh, ";", fresh.size() + 1)) {
    const auto found = std::find(items.begin(), items.end(), item);
    const bool leftOut = found == items.end() && (items.size() == net::kMaxJarCookies ||
                                                  item.size() > net::kMaxCookieBytes);
    Require(item.empty() || item.ends_with("=deleted") || leftOut ||
                (found != items.end() && found <= next),
            "fresh cookies lead in order");
    next = std::max(next, found == items.end() ? next : found + 1);
  }
}
