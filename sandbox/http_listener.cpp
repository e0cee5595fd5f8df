#include "sandbox/http_listener.h"

#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "sandbox/answers.h"

namespace sandbox {

HttpListener::HttpListener(const SandboxConfig& config) : latency_(config.latencyMs) {
  // Each kept-alive connection holds a worker for its lifetime, so the pool is sized for the
  // connections we expect, and small answers leave at once instead of waiting for Nagle.
  const auto threads = static_cast<std::size_t>(std::max(config.threads, 2));
  server_.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server_.set_tcp_nodelay(true);
  // The library's default asks for SO_REUSEPORT, with which a second sandbox binds a port that
  // another one serves and silently shares its connections; a port in use must fail to bind.
  server_.set_socket_options([](socket_t sock) {
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  server_.set_keep_alive_max_count(100'000);
  server_.set_keep_alive_timeout(std::max(config.keepAliveSeconds, 1));
  server_.set_read_timeout(10);
  server_.set_write_timeout(10);
  server_.set_payload_max_length(kMaxBodyBytes);
  server_.set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        res.status = 500;
        SendJson(res, Envelope(false, "服务器内部错误"));
      });
}

HttpListener::~HttpListener() {
  Stop();
}

int HttpListener::Bind(const std::string& host, int port) {
  int bound = port;
  if (port == 0) {
    bound = server_.bind_to_any_port(host);
  } else if (!server_.bind_to_port(host, port)) {
    bound = -1;
  }
  if (bound <= 0) {
    throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
  }
  server_.WidenBacklog(kListenBacklog);
  return bound;
}

void HttpListener::Server::WidenBacklog(int backlog) {
  ::listen(svr_sock_, backlog);
}

void HttpListener::Serve(const Router& router) {
  server_.set_pre_routing_handler([this, &router](const httplib::Request& req,
                                                  httplib::Response& res) {
    if (latency_.count() > 0) {
      std::this_thread::sleep_for(latency_);
    }
    // The library refuses a body-carrying method without Content-Length; a web server takes
    // such a request as having an empty body, so answer it here before the body is read.
    const bool bodyMethod = req.method == "POST" || req.method == "PUT" || req.method == "PATCH";
    if (bodyMethod && !req.has_header("Content-Length") && !req.has_header("Transfer-Encoding")) {
      router.Dispatch(req, res);
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  router.Install(server_);
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  // stop() before the loop runs would be lost, so Serve returns only once it runs.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!server_.is_running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void HttpListener::Stop() {
  if (thread_.joinable()) {
    server_.stop();
    thread_.join();
  }
}

}  // namespace sandbox
