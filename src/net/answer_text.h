#pragma once
// The text the WinHttp engine returns for an answer body.

#include <string>
#include <string_view>

namespace hosting::net {

// The charset a page declares in a meta tag within its first 1,024 bytes; "" when none.
std::string DeclaredCharset(std::string_view text);

// The body up to its first NUL byte. A page that declares a charset is decoded from it into
// UTF-8 (gbk and gb2312 included); without a declaration the bytes are returned as they are.
std::string AnswerText(std::string_view body);

}  // namespace hosting::net
