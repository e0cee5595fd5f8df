// The sandbox's decoding of what clients send, over any bytes: a form body, a field name, a
// Cookie header and a value, cut at NUL bytes. Besides never failing, a value that the desktop
// client encodes must reach the sandbox byte for byte.

#include <algorithm>
#include <string>

#include "fuzz_support.h"
#include "net/codec.h"
#include "net/form_encoding.h"
#include "sandbox/cookie_header.h"
#include "sandbox/form_body.h"

namespace {

using hosting::fuzz::IsUtf8;
using hosting::fuzz::Require;

void CheckForm(std::string_view body, std::string_view name) {
  Require(sandbox::PercentDecode(body).size() <= body.size(), "decoding never grows a text", body);
  const auto form = sandbox::FormFields::Parse(body);
  Require(form.size() <= static_cast<std::size_t>(std::count(body.begin(), body.end(), '&')) + 1,
          "a body has at most one field per piece", body);
  Require(form.Raw(name).has_value() || form.Gbk(name).empty(), "a missing field reads as empty",
          name);
  Require(IsUtf8(form.Gbk(name)) && IsUtf8(form.Utf8(name)), "fields read as UTF-8", body, name);
}

// The body that the desktop client sends for two values, read by the sandbox.
void CheckClientBody(std::string_view first, std::string_view second) {
  const std::string body =
      "a=" + hosting::net::FormValue(first) + "&b=" + hosting::net::FormValue(second);
  const auto form = sandbox::FormFields::Parse(body);
  Require(form.Raw("a") == hosting::net::Utf8ToGbk(first), "a form value arrives intact", first,
          body);
  Require(form.Raw("b") == hosting::net::Utf8ToGbk(second), "a form value arrives intact", second,
          body);
  Require(sandbox::PercentDecode(hosting::net::PercentEncodeUtf8(first)) == first,
          "a percent-encoded text decodes to itself", first);
}

void CheckCookies(std::string_view header, std::string_view name) {
  for (const std::string& value : sandbox::CookieValues(header, name)) {
    Require(value.find(';') == std::string::npos, "a cookie value ends at ';'", value, header);
    Require(value.empty() || (value.front() != ' ' && value.back() != ' '),
            "a cookie value is trimmed", value, header);
    Require(header.find(value) != std::string_view::npos, "a cookie value comes from the header",
            value, header);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fields = hosting::fuzz::Fields(hosting::fuzz::AsText(data, size), 4);
  CheckForm(fields[0], fields[1]);
  CheckCookies(fields[2], fields[1]);
  CheckClientBody(fields[3], fields[0]);
  return 0;
}
