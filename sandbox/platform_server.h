#pragma once
// platform-sandbox in one object: the platform web application under /custody/ and the version
// service, each on its own port, sharing one database. Tests run it in-process on free ports.

#include <memory>
#include <string>

#include "sandbox/http_listener.h"
#include "sandbox/platform_context.h"
#include "sandbox/router.h"
#include "sandbox/sandbox_config.h"

namespace sandbox {

class PlatformServer {
 public:
  // Opens the database (creating its tables) and seeds the demo data when asked. Listening beyond
  // loopback without an admin token makes one up. Throws std::runtime_error when the database
  // cannot be opened.
  explicit PlatformServer(SandboxConfig config);
  PlatformServer(const PlatformServer&) = delete;
  PlatformServer& operator=(const PlatformServer&) = delete;
  ~PlatformServer();

  // Binds both ports and serves on background threads. Throws std::runtime_error when a port
  // cannot be bound or the update package cannot be built.
  void Start();
  void Stop();

  int port() const { return port_; }
  int versionPort() const { return versionPort_; }
  // http://127.0.0.1:<port>, the platform base URL of the client.
  std::string BaseUrl() const;
  // http://127.0.0.1:<version port>, the version-service base URL of the client.
  std::string VersionBaseUrl() const;
  // True when the admin token was made up here rather than given (then it is shown once).
  bool adminTokenMadeUp() const { return adminTokenMadeUp_; }
  // The stores and sessions, for tests that read a captcha or move time on.
  PlatformContext& context() { return *context_; }

 private:
  bool adminTokenMadeUp_;  // set before context_, which takes the completed options
  std::unique_ptr<PlatformContext> context_;
  Router platformRoutes_;
  Router versionRoutes_;
  std::unique_ptr<HttpListener> platform_;
  std::unique_ptr<HttpListener> version_;
  int port_ = 0;
  int versionPort_ = 0;
};

}  // namespace sandbox
