#include "net/raw_http_server.h"

#include <cstdlib>
#include <stdexcept>

#include "net/ascii_text.h"

namespace hosting::net::testing {
namespace {

std::size_t WholeRequest(const std::string& buffer) {
  const std::size_t headEnd = buffer.find("\r\n\r\n");
  const std::string_view head(buffer.data(), headEnd == std::string::npos ? 0 : headEnd + 2);
  const std::size_t at = FindIgnoreCase(head, "\r\nContent-Length:");
  const std::size_t total =
      headEnd + 4 + (at == head.npos ? 0 : std::strtoul(head.data() + at + 17, nullptr, 10));
  return headEnd != std::string::npos && buffer.size() >= total ? total : 0;
}

// The request as recorded: the transport's own Host line right after the request line, and
// without the transport's "Connection: Keep-Alive" (WinHTTP and WinINet place and add these
// themselves; libcurl sends them so already), so the engines' own lines compare byte for byte.
std::string TransportLinesInPlace(std::string request) {
  const std::size_t firstLineEnd = request.find("\r\n") + 2;
  const std::size_t hostAt = request.find("\r\nHost: ");
  if (hostAt != std::string::npos && hostAt + 2 != firstLineEnd) {
    const std::size_t host = hostAt + 2;
    const std::size_t hostEnd = request.find("\r\n", host) + 2;
    const std::string line = request.substr(host, hostEnd - host);
    request.erase(host, hostEnd - host);
    request.insert(firstLineEnd, line);
  }
  const std::size_t headEnd = request.find("\r\n\r\n");
  const std::size_t keepAlive = request.find("\r\nConnection: Keep-Alive\r\n");
  if (keepAlive < headEnd)
    request.erase(keepAlive, 24);
  return request;
}

}  // namespace

std::string HttpReply(std::string_view status, const std::vector<std::string>& headerLines,
                      std::string_view body) {
  std::string reply = "HTTP/1.1 " + std::string(status) + "\r\n";
  for (const auto& line : headerLines)
    reply += line + "\r\n";
  return reply + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

RawHttpServer::RawHttpServer(Handler handler)
    : handler_(std::move(handler)), listener_(LoopbackListener(port_)) {
  acceptor_ = std::thread([this] {
    while (true) {
      const SocketHandle connection = AcceptConnection(listener_);
      const std::lock_guard lock(mutex_);
      if (connection == kNoSocket || stopping_) {
        CloseSocket(connection);
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
    for (const SocketHandle connection : connections_)
      Interrupt(connection);
  }
  Interrupt(listener_);
  acceptor_.join();
  Release(listener_);
  for (std::size_t i = 0; i < threads_.size(); ++i) {
    threads_[i].join();
    Release(connections_[i]);
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

std::string RawHttpServer::LastRequest() const {
  const std::lock_guard lock(mutex_);
  return lastRequest_;
}

void RawHttpServer::Serve(SocketHandle connection) {
  std::string buffer;
  char chunk[4096];
  while (true) {
    const std::size_t length = WholeRequest(buffer);
    if (length == 0) {
      const long received = ReceiveBytes(connection, chunk, sizeof(chunk));
      if (received <= 0)
        return;
      buffer.append(chunk, static_cast<std::size_t>(received));
      continue;
    }
    const std::string request = buffer.substr(0, length);
    buffer.erase(0, length);
    {
      const std::lock_guard lock(mutex_);
      lastRequest_ = TransportLinesInPlace(request);
    }
    const Reply reply = handler_(request);
    for (std::size_t sent = 0; sent < reply.bytes.size();) {
      const long n = SendBytes(connection, reply.bytes.data() + sent, reply.bytes.size() - sent);
      if (n <= 0)
        return;
      sent += static_cast<std::size_t>(n);
    }
    // A hanging connection reads on, answering nothing, until the server shuts it down.
    while (reply.then == Reply::Then::kHang && ReceiveBytes(connection, chunk, sizeof(chunk)) > 0) {
    }
    if (reply.then != Reply::Then::kKeepOpen) {
      ShutDown(connection);
      return;
    }
  }
}

std::string ClosedUrl() {
  int port = 0;
  CloseSocket(LoopbackListener(port));
  return "http://127.0.0.1:" + std::to_string(port) + "/";
}

}  // namespace hosting::net::testing
