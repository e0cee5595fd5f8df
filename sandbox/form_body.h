#pragma once
// Decoding of application/x-www-form-urlencoded bodies and query strings. The platform's clients
// send GBK bytes with %XX escapes; these functions only undo the escapes and leave the bytes raw.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sandbox {

// %XX (either case) becomes its byte and '+' a blank; a '%' without two hex digits after it is
// kept as it is. Never fails.
std::string PercentDecode(std::string_view text);

// The fields of a form body in their order; names and values percent-decoded, raw bytes.
class FormFields {
 public:
  // "a=1&b=2". A piece without '=' is a name with an empty value; empty pieces are skipped.
  static FormFields Parse(std::string_view body);

  // The raw bytes of the first field called name; nullopt when there is none.
  std::optional<std::string> Raw(std::string_view name) const;
  // The first field as UTF-8, taking its bytes as GBK (as the desktop client sends them).
  std::string Gbk(std::string_view name) const;
  // The first field as UTF-8, taking its bytes as UTF-8 (invalid sequences become U+FFFD).
  std::string Utf8(std::string_view name) const;
  std::size_t size() const { return fields_.size(); }

 private:
  std::vector<std::pair<std::string, std::string>> fields_;
};

// The window of one page of a list: "page" (from 1) and "size" (1..maxSize) of a form.
struct Paging {
  std::int64_t offset = 0;
  std::int64_t limit = 0;
};
Paging PagingOf(const FormFields& form, std::int64_t defaultSize, std::int64_t maxSize);

}  // namespace sandbox
