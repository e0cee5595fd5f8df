// Cut texts come from the body, and every helper that promises UTF-8 gives it.
#include "fuzz_support.h"
#include "net/answer_text.h"
#include "net/codec.h"
#include "net/text_helpers.h"

const std::size_t hosting::fuzz::kFieldCount = 4;

void hosting::fuzz::Fuzz(const Fields& fields) {
  const auto options = static_cast<unsigned char>(fields[0].empty() ? 0 : fields[0][0]);
  const int start = (options >> 1) - 8;  // before, at and past the start
  const std::string_view before = fields[0].substr(fields[0].empty() ? 0 : 1), after = fields[1];
  const std::string_view charset = fields[2], body = fields[3];
  const std::string between = net::TextBetween(body, before, after, start, options & 1);
  const std::string head = net::TextBefore(body, before, start, options & 1);
  Require(body.find(between) != body.npos && body.starts_with(head), "cuts come from the text");
  Require(net::UrlDecode(body).size() <= body.size() && IsUtf8(net::UrlDecode(body, true)) &&
              IsUtf8(net::UnicodeBytesToText(body)) &&
              (!IsUtf8(body) || IsUtf8(net::UnescapeUnicode(body))),
          "the decoders give UTF-8 and UrlDecode never grows a text");
  const std::string sanitized = net::SanitizeUtf8(body);
  Require(IsUtf8(sanitized) && (!IsUtf8(body) || sanitized == body),
          "SanitizeUtf8 mends only what is broken");
  Require(IsUtf8(net::CharsetToUtf8(body, charset)) && IsUtf8(net::GbkToUtf8(body)),
          "decoding gives UTF-8");
  static_cast<void>(net::Utf8ToGbk(body) + net::WideToGbk(net::GbkToWide(body)));
  // The answer text ends at the body's first NUL; only a declared charset changes the bytes.
  const std::string answer = net::AnswerText(body);
  const std::string_view upToNul = body.substr(0, body.find('\0'));
  Require(net::DeclaredCharset(upToNul).empty() ? answer == upToNul : IsUtf8(answer),
          "the answer text");
}
