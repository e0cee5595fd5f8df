#include "net/answer_text.h"

#include "data/regex_object.h"
#include "net/ascii_text.h"
#include "net/codec.h"

namespace hosting::net {

namespace {

constexpr std::string_view kCharsetPattern = R"(<meta.+?charset=[^\w]?([-\w]+))";
constexpr std::size_t kCharsetSearchBytes = 1024;

std::string_view UpToNul(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

std::string DeclaredCharset(std::string_view text) {
  const std::string_view head = text.substr(0, kCharsetSearchBytes);
  // Answers without a meta tag (every API answer) need no pattern at all.
  if (!ContainsIgnoreCase(head, "<meta")) {
    return {};
  }
  data::RegexObject regex;
  if (!regex.Create(kCharsetPattern, head) || regex.MatchCount() < 1) {
    return {};
  }
  return regex.SubMatchText(1, 1);
}

std::string AnswerText(std::string_view body) {
  const std::string_view text = UpToNul(body);
  const std::string charset = DeclaredCharset(text);
  if (charset.empty()) {
    return std::string(text);
  }
  return std::string(UpToNul(CharsetToUtf8(body, charset)));
}

}  // namespace hosting::net
