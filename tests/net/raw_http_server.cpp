#include "net/raw_http_server.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "net/ascii_text.h"

namespace hosting::net::testing {
namespace {

int BoundListener(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{
      .sin_family = AF_INET, .sin_port = 0, .sin_addr = {htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
  socklen_t length = sizeof(address);
  auto* raw = reinterpret_cast<sockaddr*>(&address);
  if (fd < 0 || ::bind(fd, raw, length) != 0 || ::getsockname(fd, raw, &length) != 0) {
    throw std::runtime_error("cannot bind a loopback socket");
  }
  port = ntohs(address.sin_port);
  return fd;
}

std::size_t WholeRequest(const std::string& buffer) {
  const std::size_t headEnd = buffer.find("\r\n\r\n");
  const std::string_view head(buffer.data(), headEnd == std::string::npos ? 0 : headEnd + 2);
  const std::size_t at = FindIgnoreCase(head, "\r\nContent-Length:");
  const std::size_t total =
      headEnd + 4 + (at == head.npos ? 0 : std::strtoul(head.data() + at + 17, nullptr, 10));
  return headEnd != std::string::npos && buffer.size() >= total ? total : 0;
}

}  // namespace

std::string HttpReply(std::string_view status, const std::vector<std::string>& headerLines,
                      std::string_view body) {
  std::string reply = "HTTP/1.1 " + std::string(status) + "\r\n";
  for (const auto& line : headerLines) {
    reply += line + "\r\n";
  }
  return reply + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

RawHttpServer::RawHttpServer(Handler handler)
    : handler_(std::move(handler)), listener_(BoundListener(port_)) {
  ::listen(listener_, 64);  // cannot fail on a freshly bound socket
  acceptor_ = std::thread([this] {
    while (true) {
      const int connection = ::accept(listener_, nullptr, nullptr);
      const std::lock_guard lock(mutex_);
      if (connection < 0 || stopping_) {
        ::close(connection);  // a no-op on -1
        return;
      }
      connections_.push_back(connection);
      threads_.emplace_back([this, connection] { Serve(connection); });
    }
  });
}

RawHttpServer::~RawHttpServer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    for (const int connection : connections_) {
      ::shutdown(connection, SHUT_RDWR);
    }
  }
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  ::close(listener_);
  for (std::size_t i = 0; i < threads_.size(); ++i) {
    threads_[i].join();
    ::close(connections_[i]);
  }
}

std::string RawHttpServer::HostPort() const {
  return "127.0.0.1:" + std::to_string(port_);
}
std::string RawHttpServer::Url(std::string_view path) const {
  return "http://" + HostPort() + std::string(path);
}
std::string RawHttpServer::RequestHead(std::string_view requestLine) const {
  return std::string(requestLine) + "\r\nHost: " + HostPort() + "\r\n";
}

std::vector<std::string> RawHttpServer::Requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

std::string RawHttpServer::LastRequest() const {
  const std::lock_guard lock(mutex_);
  return requests_.empty() ? std::string() : requests_.back();
}

void RawHttpServer::Serve(int connection) {
  std::string buffer;
  char chunk[4096];
  while (true) {
    const std::size_t length = WholeRequest(buffer);
    if (length == 0) {
      const ssize_t received = ::recv(connection, chunk, sizeof(chunk), 0);
      if (received <= 0) {
        return;
      }
      buffer.append(chunk, static_cast<std::size_t>(received));
      continue;
    }
    const std::string request = buffer.substr(0, length);
    buffer.erase(0, length);
    {
      const std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    const Reply reply = handler_(request);
    for (std::size_t sent = 0; sent < reply.bytes.size();) {
      const ssize_t n =
          ::send(connection, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) {
        return;
      }
      sent += static_cast<std::size_t>(n);
    }
    // A hanging connection reads on, answering nothing, until the server shuts it down.
    while (reply.then == Reply::Then::kHang && ::recv(connection, chunk, sizeof(chunk), 0) > 0) {
    }
    if (reply.then != Reply::Then::kKeepOpen) {
      ::shutdown(connection, SHUT_RDWR);
      return;
    }
  }
}

std::string ClosedUrl() {
  int port = 0;
  ::close(BoundListener(port));
  return "http://127.0.0.1:" + std::to_string(port) + "/";
}

}  // namespace hosting::net::testing
