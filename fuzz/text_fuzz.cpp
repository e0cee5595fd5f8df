// The text helpers over any bytes: the first byte chooses the options (ignore case, start
// position), the rest is a left marker, a right marker, a charset name and a body, cut at NUL
// bytes. Cut texts must come from the body, and every helper that promises UTF-8 must give it.

#include <string>

#include "fuzz_support.h"
#include "net/answer_text.h"
#include "net/codec.h"
#include "net/text_helpers.h"

namespace {

using hosting::fuzz::IsUtf8;
using hosting::fuzz::Require;
namespace net = hosting::net;

void CheckCutters(std::string_view body, std::string_view before, std::string_view after, int start,
                  bool ignoreCase) {
  const std::string between = net::TextBetween(body, before, after, start, ignoreCase);
  Require(body.find(between) != std::string_view::npos, "TextBetween cuts from the text", between,
          body);
  const std::string head = net::TextBefore(body, before, start, ignoreCase);
  Require(body.starts_with(head), "TextBefore gives the start of the text", head, body);
}

void CheckUnescaping(std::string_view body) {
  const std::string raw = net::UrlDecode(body);
  Require(raw.size() <= body.size(), "UrlDecode never grows the text", raw, body);
  Require(IsUtf8(net::UrlDecode(body, true)), "UrlDecode to UTF-8 gives UTF-8", body);
  const std::string unescaped = net::UnescapeUnicode(body);
  Require(!IsUtf8(body) || IsUtf8(unescaped), "UnescapeUnicode keeps UTF-8 text UTF-8", body,
          unescaped);
  Require(IsUtf8(net::UnicodeBytesToText(body)), "UTF-16 bytes become UTF-8", body);
}

void CheckCharsets(std::string_view body, std::string_view charset) {
  const std::string sanitized = net::SanitizeUtf8(body);
  Require(IsUtf8(sanitized), "SanitizeUtf8 gives UTF-8", body, sanitized);
  Require(!IsUtf8(body) || sanitized == body, "SanitizeUtf8 keeps UTF-8 as it is", body, sanitized);
  Require(IsUtf8(net::CharsetToUtf8(body, charset)), "CharsetToUtf8 gives UTF-8", body, charset);
  Require(IsUtf8(net::GbkToUtf8(body)), "GbkToUtf8 gives UTF-8", body);
  static_cast<void>(net::Utf8ToGbk(body));
  static_cast<void>(net::WideToGbk(net::GbkToWide(body)));

  // The charset correction of the transport: a declared charset decodes, otherwise the bytes
  // stay as they are; the text always ends at the body's first NUL.
  const std::string answer = net::AnswerText(body);
  const std::string_view upToNul = body.substr(0, body.find('\0'));
  if (net::DeclaredCharset(upToNul).empty()) {
    Require(answer == upToNul, "an undeclared body stays as it is", body, answer);
  } else {
    Require(IsUtf8(answer), "a declared body becomes UTF-8", body, answer);
  }
  Require(answer.find('\0') == std::string::npos, "the answer ends at a NUL", answer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const bool ignoreCase = (data[0] & 1) != 0;
  const int start = static_cast<int>(data[0] >> 1) - 8;  // -8..119: before, at and past the start
  const auto fields = hosting::fuzz::Fields(hosting::fuzz::AsText(data + 1, size - 1), 4);
  const std::string_view body = fields[3];
  CheckCutters(body, fields[0], fields[1], start, ignoreCase);
  CheckUnescaping(body);
  CheckCharsets(body, fields[2]);
  return 0;
}
