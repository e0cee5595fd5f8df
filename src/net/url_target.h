#pragma once
// Where a request goes: the two engines split a URL by their own rules into host, port and the
// object (path and query) named in the request line.

#include <optional>
#include <string>
#include <string_view>

namespace hosting::net {

struct UrlTarget {
  bool secure = false;
  std::string host;  // an IPv6 literal keeps its brackets
  int port = 80;
  std::string object = "/";
};

// The WinHttp split: scheme "http://" or "https://" (any case), optional user info, host,
// optional port, then path and query; the fragment is not sent. An empty path becomes "/".
// nullopt when the URL cannot be split (another scheme, no host, a bad port).
std::optional<UrlTarget> SplitWinHttpUrl(std::string_view url);

// The WinINet split: secure when the URL starts with "https://" (any case); the host is taken from
// the lower-cased URL after its scheme ("http://" assumed when there is none), the object from the
// first "/" after the host in the URL's own letter case ("/" when there is none). The port is the
// one named, else 443 for a URL beginning "https", else 80. nullopt when no connection can be
// made to what it names (no host, a bad port).
std::optional<UrlTarget> SplitWinInetUrl(std::string_view url);

// The URL handed to the transport: scheme, host, port and the object with bytes that cannot
// stand in a URL (controls, blanks, non-ASCII) percent-encoded.
std::string TransportUrl(const UrlTarget& target);

}  // namespace hosting::net
