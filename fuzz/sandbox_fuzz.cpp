// A value that the client encodes reaches the sandbox's decoders byte for byte.
#include <algorithm>

#include "fuzz_support.h"
#include "net/codec.h"
#include "net/form_encoding.h"
#include "sandbox/cookie_header.h"
#include "sandbox/form_body.h"

const std::size_t hosting::fuzz::kFieldCount = 4;

void hosting::fuzz::Fuzz(const Fields& fields) {
  const std::string_view body = fields[0], name = fields[1], header = fields[2], value = fields[3];
  const auto form = sandbox::FormFields::Parse(body);
  Require(
      sandbox::PercentDecode(body).size() <= body.size() &&
          form.size() <= static_cast<std::size_t>(std::count(body.begin(), body.end(), '&')) + 1,
      "decoding never grows a text, and a body has at most one field per piece");
  Require((form.Raw(name) || form.Gbk(name).empty()) && IsUtf8(form.Gbk(name) + form.Utf8(name)),
          "fields read as UTF-8, a missing one as empty");
  const std::string sent = "a=" + net::FormValue(value) + "&b=" + net::FormValue(body);
  const auto received = sandbox::FormFields::Parse(sent);
  Require(received.Raw("a") == net::Utf8ToGbk(value) && received.Raw("b") == net::Utf8ToGbk(body) &&
              sandbox::PercentDecode(net::PercentEncodeUtf8(value)) == value,
          "form values and percent-encoded texts arrive intact");
  for (const std::string& cookie : sandbox::CookieValues(header, name)) {
    Require(cookie.find(';') == cookie.npos && !cookie.starts_with(' ') && !cookie.ends_with(' ') &&
                header.find(cookie) != header.npos,
            "a cookie value is a trimmed piece of the header up to ';'");
  }
}
