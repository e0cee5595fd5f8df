#pragma once
// Cookie texts: "; "-separated name=value pairs without attributes, as the session keeps them.
// A cookie whose value is "deleted" stands for one the server removed.

#include <string>
#include <string_view>

namespace hosting::net {

// The cookies that the "Set-Cookie" lines (exact case) of a raw header block set, in order,
// joined by "; ": each line's pair before its first ";", trimmed; attributes are dropped.
std::string ExtractSetCookies(std::string_view headerBlock);

// Bounds of the jar against a hostile answer.
inline constexpr std::size_t kMaxJarCookies = 180;
inline constexpr std::size_t kMaxCookieBytes = 4096;  // one "name=value"

// Folds the fresh cookies into the jar: blanks are removed from both (and written back), the
// fresh cookies come first in their order, then the jar's cookies whose names the fresh ones do
// not set again; "name=deleted" items are dropped and repeats removed. A fresh cookie over
// kMaxCookieBytes is dropped whole, and the last fresh cookies of new names that would take the
// merged jar past kMaxJarCookies are dropped, so the cookies already held survive a flood. The result is also
// stored in `jar`. MergeCookies("a=1; b=2", "b=3; c=4") == "b=3; c=4; a=1".
std::string MergeCookies(std::string& jar, std::string& fresh);

}  // namespace hosting::net
