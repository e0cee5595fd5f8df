// The text helpers over any bytes: the first byte chooses the options (ignore case, start
// position), the rest is a left marker, a right marker, a charset name and a body. Cut texts come
// from the body, and every helper that promises UTF-8 gives it.
#include "fuzz_support.h"
#include "net/answer_text.h"
#include "net/codec.h"
#include "net/text_helpers.h"

namespace net = hosting::net;
using hosting::fuzz::IsUtf8;
using hosting::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const int start = static_cast<int>(data[0] >> 1) - 8;  // before, at and past the start
  const auto fields = hosting::fuzz::Fields(data + 1, size - 1, 4);
  const std::string_view before = fields[0], after = fields[1], charset = fields[2],
                         body = fields[3];
  const std::string between = net::TextBetween(body, before, after, start, data[0] & 1);
  const std::string head = net::TextBefore(body, before, start, data[0] & 1);
  Require(body.find(between) != body.npos && body.starts_with(head), "cuts come from the text",
          body);
  Require(net::UrlDecode(body).size() <= body.size() && IsUtf8(net::UrlDecode(body, true)) &&
              IsUtf8(net::UnicodeBytesToText(body)) &&
              (!IsUtf8(body) || IsUtf8(net::UnescapeUnicode(body))),
          "the decoders give UTF-8 and UrlDecode never grows a text", body);
  const std::string sanitized = net::SanitizeUtf8(body);
  Require(IsUtf8(sanitized) && (!IsUtf8(body) || sanitized == body),
          "SanitizeUtf8 mends only what is broken", body);
  Require(IsUtf8(net::CharsetToUtf8(body, charset)) && IsUtf8(net::GbkToUtf8(body)),
          "decoding gives UTF-8", body, charset);
  static_cast<void>(net::Utf8ToGbk(body) + net::WideToGbk(net::GbkToWide(body)));
  // The answer text ends at the body's first NUL; only a declared charset changes the bytes.
  const std::string answer = net::AnswerText(body);
  const std::string_view upToNul = body.substr(0, body.find('\0'));
  Require(net::DeclaredCharset(upToNul).empty() ? answer == upToNul : IsUtf8(answer),
          "the answer text", body, answer);
  return 0;
}
