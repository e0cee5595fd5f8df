#include <algorithm>
#include <cctype>

#include "net/text_helpers.h"

namespace hosting::net {
namespace {

constexpr std::string_view kQuoteMarker = "#引号";

std::string WithQuotes(std::string_view marker) {
  std::string out;
  out.reserve(marker.size());
  for (std::size_t at = marker.find(kQuoteMarker); at != std::string_view::npos;
       at = marker.find(kQuoteMarker)) {
    out.append(marker.substr(0, at)).push_back('"');
    marker.remove_prefix(at + kQuoteMarker.size());
  }
  return out.append(marker);
}

// A 1-based start position as a 0-based offset; 0 and below count as 1.
std::size_t OffsetOf(int start) {
  return start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
}

// Offset of `marker` at or after `from`, or npos. Case folding is ASCII only, so the bytes of
// multi-byte characters always compare exactly.
std::size_t Find(std::string_view text, std::string_view marker, std::size_t from,
                 bool ignoreCase) {
  if (from > text.size()) {
    return std::string_view::npos;
  }
  if (!ignoreCase) {
    return text.find(marker, from);
  }
  const auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  };
  const auto hit = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                               marker.begin(), marker.end(), same);
  return hit == text.end() && !marker.empty() ? std::string_view::npos
                                              : static_cast<std::size_t>(hit - text.begin());
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view before, std::string_view after,
                        int start, bool ignoreCase) {
  const std::string opening = WithQuotes(before);
  const std::size_t at = Find(text, opening, OffsetOf(start), ignoreCase);
  if (at == std::string_view::npos) {
    return {};
  }
  const std::size_t valueStart = at + opening.size();
  const std::size_t end = Find(text, WithQuotes(after), valueStart, ignoreCase);
  return end == std::string_view::npos ? std::string{}
                                       : std::string(text.substr(valueStart, end - valueStart));
}

std::string TextBefore(std::string_view text, std::string_view marker, int start, bool ignoreCase) {
  const std::size_t at = Find(text, marker, OffsetOf(start), ignoreCase);
  return at == std::string_view::npos ? std::string{} : std::string(text.substr(0, at));
}

}  // namespace hosting::net
