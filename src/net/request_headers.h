#pragma once
// The request header lines of the two engines: their default lines, their order and how a
// caller's own lines are recognised.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hosting::net {

// The WinHttp header block: `headers` + "\r\n" (when not empty), then each default line whose key
// the block lacks, in the order User-Agent, Accept, Accept-Encoding, Accept-Language,
// Content-Type (POST only, after "content-type" was rewritten to "Content-Type"), Cache-Control,
// Cookie (only for a non-empty `cookies`). Every line ends with "\r\n".
std::string WinHttpHeaderBlock(std::string_view headers, std::int32_t method,
                               const std::string* cookies);

// Completes the caller's WinINet header text in place: Accept, Referer, Accept-Language,
// Content-Type (POST only) and the Cookie line of a non-empty `cookies`, each appended after
// "\r\n" when the text lacks it (case-sensitive searches).
void CompleteWinInetHeaders(std::string& headers, std::string_view url, std::int32_t method,
                            const std::string* cookies);

// The agent WinINet is opened with: the value of the caller's "User-Agent:" line, else the
// default agent. Never holds a line break.
std::string WinInetUserAgent(std::string_view headers);

// The lines of a header text split at "\r\n", empty lines left out.
std::vector<std::string> HeaderLines(std::string_view block);

}  // namespace hosting::net
