#include "sandbox/form_body.h"

#include <algorithm>

#include "net/codec.h"
#include "sandbox/platform_time.h"

namespace sandbox {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
      continue;
    }
    if (c == '%' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += c;
  }
  return out;
}

FormFields FormFields::Parse(std::string_view body) {
  FormFields form;
  while (!body.empty()) {
    const std::size_t amp = body.find('&');
    const std::string_view piece = body.substr(0, amp);
    body = amp == std::string_view::npos ? std::string_view{} : body.substr(amp + 1);
    if (piece.empty()) {
      continue;
    }
    const std::size_t eq = piece.find('=');
    if (eq == std::string_view::npos) {
      form.fields_.emplace_back(PercentDecode(piece), std::string{});
    } else {
      form.fields_.emplace_back(PercentDecode(piece.substr(0, eq)),
                                PercentDecode(piece.substr(eq + 1)));
    }
  }
  return form;
}

std::optional<std::string> FormFields::Raw(std::string_view name) const {
  for (const auto& [key, value] : fields_) {
    if (key == name) {
      return value;
    }
  }
  return std::nullopt;
}

std::string FormFields::Gbk(std::string_view name) const {
  return hosting::net::GbkToUtf8(Raw(name).value_or(std::string{}));
}

std::string FormFields::Utf8(std::string_view name) const {
  return hosting::net::SanitizeUtf8(Raw(name).value_or(std::string{}));
}

Paging PagingOf(const FormFields& form, std::int64_t defaultSize, std::int64_t maxSize) {
  constexpr std::int64_t kMaxPage = 1'000'000;  // keeps offset far from overflow
  const std::int64_t page =
      std::clamp<std::int64_t>(ParseId(form.Raw("page").value_or("")).value_or(1), 1, kMaxPage);
  const std::int64_t size = std::clamp<std::int64_t>(
      ParseId(form.Raw("size").value_or("")).value_or(defaultSize), 1, maxSize);
  return Paging{(page - 1) * size, size};
}

}  // namespace sandbox
