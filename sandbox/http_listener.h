#pragma once
// One cpp-httplib server on its own thread, tuned for many kept-alive connections.

#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

#include "sandbox/router.h"
#include "sandbox/sandbox_config.h"

namespace sandbox {

inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;
inline constexpr int kListenBacklog = 1024;

class HttpListener {
 public:
  explicit HttpListener(const SandboxConfig& config);
  HttpListener(const HttpListener&) = delete;
  HttpListener& operator=(const HttpListener&) = delete;
  ~HttpListener();

  // Binds host:port (port 0: a free port) and returns the bound port; throws
  // std::runtime_error when the port cannot be bound. Connections wait until Serve.
  int Bind(const std::string& host, int port);
  // Serves router's routes on a background thread; the router must outlive the listener.
  void Serve(const Router& router);
  void Stop();

 private:
  // The library listens with a backlog of 5, so a burst of new connections overflows the accept
  // queue and some are reset; this lets us widen it after binding.
  class Server : public httplib::Server {
   public:
    void WidenBacklog(int backlog);
  };

  std::chrono::milliseconds latency_;
  Server server_;
  std::thread thread_;
};

}  // namespace sandbox
