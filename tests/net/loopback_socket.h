#pragma once
// The few socket calls of the raw peer, over BSD sockets or Winsock.
#include <cstddef>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace hosting::net::testing {

#ifdef _WIN32
using SocketHandle = SOCKET;
inline const SocketHandle kNoSocket = INVALID_SOCKET;
#else
using SocketHandle = int;
inline constexpr SocketHandle kNoSocket = -1;
#endif

// A listening socket on 127.0.0.1 and a free port (written to `port`); throws when none is had.
SocketHandle LoopbackListener(int& port);
SocketHandle AcceptConnection(SocketHandle listener);  // kNoSocket once the listener is shut
void ShutDown(SocketHandle socket);                    // both directions
void CloseSocket(SocketHandle socket);                 // nothing for kNoSocket
// Wakes the threads blocked on the socket: a shutdown does on Linux, Winsock needs the socket
// closed (which Release then leaves alone).
void Interrupt(SocketHandle socket);
void Release(SocketHandle socket);
long SendBytes(SocketHandle socket, const char* data, std::size_t size);  // <= 0: gone
long ReceiveBytes(SocketHandle socket, char* data, std::size_t size);     // <= 0: gone

}  // namespace hosting::net::testing
