#pragma once
// Process-wide set-up of the HTTP transport.

namespace hosting::net {

// Makes the state the engines share across threads (the cookie store of the WinINet engine, DNS
// and TLS-session caches) ahead of the first request, which would otherwise make it; further calls
// do nothing. The state lives until the process ends, since detached workers may still be in a
// request while the program exits.
void InitTransport();

}  // namespace hosting::net
