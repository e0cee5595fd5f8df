// The cookie texts over any bytes: the cookies that a header block sets (the first field) are
// merged into a jar (the rest). The merged jar holds every fresh cookie first and in order, and
// no blank, repeat or deleted cookie.
#include <algorithm>

#include "fuzz_support.h"
#include "net/cookie_jar.h"

using hosting::fuzz::Require;

static bool HasBlank(std::string_view text) {
  return text.find(' ') != text.npos || text.find(hosting::fuzz::kFullWidthSpace) != text.npos;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fields = hosting::fuzz::Fields(data, size, 2);
  std::string fresh = hosting::net::ExtractSetCookies(fields[0]);
  std::string jar(fields[1]);
  const std::string merged = hosting::net::MergeCookies(jar, fresh);
  Require(merged == jar && !HasBlank(fresh), "merged into the jar without blanks", merged, fresh);
  auto items = hosting::fuzz::Pieces(merged, "; ", merged.size() + 1);
  std::erase(items, std::string_view{});  // a Set-Cookie line without a pair leaves an empty item
  for (auto item = items.begin(); item != items.end(); ++item) {
    Require(!HasBlank(*item) && !item->ends_with("=deleted") &&
                std::find(items.begin(), item, *item) == item,
            "no blank, deleted or repeated cookie", merged);
  }
  auto next = items.begin();  // the fresh cookies lead, in their order (repeats and deleted aside)
  for (const std::string_view item : hosting::fuzz::Pieces(fresh, ";", fresh.size() + 1)) {
    const auto found = std::find(items.begin(), items.end(), item);
    Require(item.empty() || item.ends_with("=deleted") || (found != items.end() && found <= next),
            "fresh cookies lead in order", item, merged);
    next = std::max(next, found == items.end() ? next : found + 1);
  }
  return 0;
}
