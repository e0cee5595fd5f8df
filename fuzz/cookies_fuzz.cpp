// The cookie texts over any bytes: a header block and a jar, cut at the first NUL. The cookies
// that the block sets are merged into the jar; the merged jar must hold every fresh cookie
// first and in order, and no blank, repeat or deleted cookie.

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "net/cookie_jar.h"

namespace {

using hosting::fuzz::Require;

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

// The cookies of a text, without the empty items that a Set-Cookie line without a pair leaves.
std::vector<std::string_view> Items(std::string_view cookies, std::string_view separator) {
  std::vector<std::string_view> items =
      hosting::fuzz::Pieces(cookies, separator, cookies.size() + 1);
  std::erase(items, std::string_view{});
  return items;
}

bool HasBlank(std::string_view text) {
  return text.find(' ') != std::string_view::npos ||
         text.find(kFullWidthSpace) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fields = hosting::fuzz::Fields(hosting::fuzz::AsText(data, size), 2);
  std::string fresh = hosting::net::ExtractSetCookies(fields[0]);
  std::string jar(fields[1]);
  const std::string merged = hosting::net::MergeCookies(jar, fresh);
  Require(merged == jar, "MergeCookies stores its result in the jar", merged, jar);
  Require(!HasBlank(fresh), "the fresh cookies are written back without blanks", fresh);

  const std::vector<std::string_view> items = Items(merged, "; ");
  for (std::size_t i = 0; i < items.size(); ++i) {
    Require(!HasBlank(items[i]), "no blank in a merged cookie", merged);
    Require(!items[i].ends_with("=deleted"), "a deleted cookie is dropped", merged);
    Require(std::find(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(i), items[i]) ==
                items.begin() + static_cast<std::ptrdiff_t>(i),
            "no cookie is repeated", merged);
  }
  // The fresh cookies lead, in their order (repeats and deleted ones aside).
  auto next = items.begin();
  for (const std::string_view item : Items(fresh, ";")) {
    if (item.ends_with("=deleted")) {
      continue;
    }
    const auto found = std::find(items.begin(), items.end(), item);
    Require(found != items.end(), "every fresh cookie is in the jar", item, merged);
    Require(found <= next, "the fresh cookies come first, in order", item, merged);
    next = std::max(next, found + 1);
  }
  return 0;
}
