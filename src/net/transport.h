#pragma once
// Process-wide set-up of the HTTP transport.

namespace hosting::net {

// Initialises the HTTP library and the state its engines share across threads (the cookie store
// of the WinINet engine, DNS and TLS-session caches). Call once at program start, before any
// thread starts; further calls do nothing. The state lives until the process ends, since detached
// workers may still be in a request while the program exits.
void InitTransport();

}  // namespace hosting::net
