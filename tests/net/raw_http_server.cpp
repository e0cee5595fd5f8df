#include "net/raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "net/ascii_text.h"

namespace hosting::net::testing {

namespace {

int BoundListener(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  auto* raw = reinterpret_cast<sockaddr*>(&address);
  if (fd < 0 || ::bind(fd, raw, length) != 0 || ::getsockname(fd, raw, &length) != 0) {
    throw std::runtime_error("cannot bind a loopback socket");
  }
  port = ntohs(address.sin_port);
  return fd;
}

std::size_t ContentLength(std::string_view head) {
  constexpr std::string_view kKey = "\r\nContent-Length:";
  const std::size_t at = FindIgnoreCase(head, kKey);
  return at == std::string_view::npos ? 0
                                      : std::strtoul(head.data() + at + kKey.size(), nullptr, 10);
}

}  // namespace

std::string HttpReply(std::string_view status, const std::vector<std::string>& headerLines,
                      std::string_view body) {
  std::string reply = "HTTP/1.1 " + std::string(status) + "\r\n";
  for (const auto& line : headerLines) {
    reply += line + "\r\n";
  }
  reply += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  reply += body;
  return reply;
}

RawHttpServer::RawHttpServer(Handler handler) : handler_(std::move(handler)) {
  listener_ = BoundListener(port_);
  if (::listen(listener_, 64) != 0) {
    throw std::runtime_error("cannot listen");
  }
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

RawHttpServer::~RawHttpServer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    for (const int connection : connections_) {
      ::shutdown(connection, SHUT_RDWR);
    }
  }
  stopped_.notify_all();
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  ::close(listener_);
  for (auto& thread : threads_) {
    thread.join();
  }
  for (const int connection : connections_) {
    ::close(connection);
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

void RawHttpServer::AcceptLoop() {
  while (true) {
    const int connection = ::accept(listener_, nullptr, nullptr);
    const std::lock_guard lock(mutex_);
    if (connection < 0 || stopping_) {
      if (connection >= 0) {
        ::close(connection);
      }
      return;
    }
    connections_.push_back(connection);
    threads_.emplace_back([this, connection] { Serve(connection); });
  }
}

bool RawHttpServer::ReadRequest(int connection, std::string& buffer, std::string& request) const {
  char chunk[4096];
  while (true) {
    if (const std::size_t headEnd = buffer.find("\r\n\r\n"); headEnd != std::string::npos) {
      const std::size_t total = headEnd + 4 + ContentLength(buffer.substr(0, headEnd + 2));
      if (buffer.size() >= total) {
        request = buffer.substr(0, total);
        buffer.erase(0, total);
        return true;
      }
    }
    const ssize_t received = ::recv(connection, chunk, sizeof(chunk), 0);
    if (received <= 0) {
      return false;
    }
    buffer.append(chunk, static_cast<std::size_t>(received));
  }
}

void RawHttpServer::Serve(int connection) {
  std::string buffer;
  std::string request;
  while (ReadRequest(connection, buffer, request)) {
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
    if (reply.then == Reply::Then::kHang) {
      std::unique_lock lock(mutex_);
      stopped_.wait(lock, [this] { return stopping_; });
      return;
    }
    if (reply.then == Reply::Then::kClose) {
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
