#pragma once
// A loopback HTTP peer: records every request byte for byte, answers with scripted bytes.
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "net/loopback_socket.h"

namespace hosting::net::testing {

struct Reply {
  // After sending: read the next request, close, or stay open and silent until the server stops.
  enum class Then { kKeepOpen, kClose, kHang };
  std::string bytes;
  Then then = Then::kKeepOpen;
};

// "HTTP/1.1 <status>\r\n" + each header line + "Content-Length" + "\r\n" + body.
std::string HttpReply(std::string_view status, const std::vector<std::string>& headerLines,
                      std::string_view body);

class RawHttpServer {
 public:
  using Handler = std::function<Reply(const std::string& request)>;
  explicit RawHttpServer(Handler handler);
  ~RawHttpServer();
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  std::string HostPort() const;                  // "127.0.0.1:<port>"
  std::string Url(std::string_view path) const;  // "http://127.0.0.1:<port>" + path
  // How a request to this server begins: requestLine + "\r\nHost: 127.0.0.1:<port>\r\n".
  std::string RequestHead(std::string_view requestLine) const;
  std::string LastRequest() const;  // the latest request read

 private:
  void Serve(SocketHandle connection);

  Handler handler_;
  int port_ = 0;  // before listener_, which sets it
  SocketHandle listener_ = kNoSocket;
  mutable std::mutex mutex_;
  bool stopping_ = false;
  std::vector<SocketHandle> connections_;
  std::vector<std::thread> threads_;
  std::string lastRequest_;
  std::thread acceptor_;
};

// A URL of a loopback port on which nothing listens (a listener bound and closed again).
std::string ClosedUrl();

}  // namespace hosting::net::testing
