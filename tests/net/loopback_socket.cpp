#include "net/loopback_socket.h"

#include <stdexcept>

#ifdef _WIN32
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <unistd.h>
#endif

namespace hosting::net::testing {

namespace {

#ifdef _WIN32
// Winsock is started once per process and left running until it ends.
void StartSockets() {
  static const bool started = [] {
    WSADATA data{};
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started)
    throw std::runtime_error("cannot start Winsock");
}
using Length = int;
constexpr int kShutBoth = SD_BOTH;
constexpr int kSendFlags = 0;
#else
void StartSockets() {}
using Length = socklen_t;
constexpr int kShutBoth = SHUT_RDWR;
constexpr int kSendFlags = MSG_NOSIGNAL;
#endif

}  // namespace

SocketHandle LoopbackListener(int& port) {
  StartSockets();
  const SocketHandle socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  Length length = sizeof(address);
  auto* raw = reinterpret_cast<sockaddr*>(&address);
  if (socket == kNoSocket || ::bind(socket, raw, length) != 0 ||
      ::getsockname(socket, raw, &length) != 0 || ::listen(socket, 64) != 0) {
    CloseSocket(socket);
    throw std::runtime_error("cannot bind a loopback socket");
  }
  port = ntohs(address.sin_port);
  return socket;
}

SocketHandle AcceptConnection(SocketHandle listener) {
  return ::accept(listener, nullptr, nullptr);
}

void ShutDown(SocketHandle socket) {
  ::shutdown(socket, kShutBoth);
}

void CloseSocket(SocketHandle socket) {
  if (socket == kNoSocket)
    return;
#ifdef _WIN32
  ::closesocket(socket);
#else
  ::close(socket);
#endif
}

void Interrupt(SocketHandle socket) {
  ShutDown(socket);
#ifdef _WIN32
  CloseSocket(socket);
#endif
}

void Release([[maybe_unused]] SocketHandle socket) {
#ifndef _WIN32
  CloseSocket(socket);
#endif
}

long SendBytes(SocketHandle socket, const char* data, std::size_t size) {
  return static_cast<long>(::send(socket, data, static_cast<int>(size), kSendFlags));
}

long ReceiveBytes(SocketHandle socket, char* data, std::size_t size) {
  return static_cast<long>(::recv(socket, data, static_cast<int>(size), 0));
}

}  // namespace hosting::net::testing
