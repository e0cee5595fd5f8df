#include "net/ascii_text.h"

#include <algorithm>

namespace hosting::net {

namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

// Length of the blank at the start of text, 0 when there is none.
std::size_t BlankAt(std::string_view text) {
  if (!text.empty() && text.front() == ' ') {
    return 1;
  }
  return text.starts_with(kFullWidthSpace) ? kFullWidthSpace.size() : 0;
}

}  // namespace

std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t from) {
  if (from > haystack.size()) {
    return std::string_view::npos;
  }
  const auto found = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from),
                                 haystack.end(), needle.begin(), needle.end(),
                                 [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
  return found == haystack.end() && !needle.empty()
             ? std::string_view::npos
             : static_cast<std::size_t>(found - haystack.begin());
}

bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
  return FindIgnoreCase(haystack, needle) != std::string_view::npos;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string ToLowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

std::string_view TrimBlanks(std::string_view text) {
  for (std::size_t n = BlankAt(text); n > 0; n = BlankAt(text)) {
    text.remove_prefix(n);
  }
  while (true) {
    if (text.ends_with(' ')) {
      text.remove_suffix(1);
    } else if (text.ends_with(kFullWidthSpace)) {
      text.remove_suffix(kFullWidthSpace.size());
    } else {
      return text;
    }
  }
}

// In text that is not UTF-8, the bytes around a removed blank can join into a new full-width
// space; it is removed as soon as it forms, so that the result never holds a blank.
std::string RemoveBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t blank = BlankAt(text);
    if (blank == 0) {
      out += text.front();
      if (out.ends_with(kFullWidthSpace)) {
        out.resize(out.size() - kFullWidthSpace.size());
      }
    }
    text.remove_prefix(blank == 0 ? 1 : blank);
  }
  return out;
}

}  // namespace hosting::net
