#include "sandbox/platform_server.h"

#include "sandbox/admin_access.h"
#include "sandbox/demo_data.h"
#include "sandbox/routes.h"
#include "sandbox/update_package.h"
#include "sandbox/version_routes.h"

namespace sandbox {

PlatformServer::PlatformServer(SandboxConfig config)
    : adminTokenMadeUp_(EnsureAdminToken(config)),
      context_(std::make_unique<PlatformContext>(std::move(config))) {
  AddAccountRoutes(platformRoutes_, *context_);
  AddHostingRoutes(platformRoutes_, *context_);
  AddMoneyRoutes(platformRoutes_, *context_);
  AddPageRoutes(platformRoutes_, *context_);
  AddSandboxRoutes(platformRoutes_, *context_);
  if (context_->config().demo)
    SeedDemoData(*context_);
}

PlatformServer::~PlatformServer() {
  Stop();
}

void PlatformServer::Start() {
  const SandboxConfig& config = context_->config();
  platform_ = std::make_unique<HttpListener>(config);
  version_ = std::make_unique<HttpListener>(config);
  port_ = platform_->Bind(config.listenHost, config.port);
  versionPort_ = version_->Bind(config.listenHost, config.versionPort);
  context_->SetBoundPort(port_);
  AddVersionRoutes(versionRoutes_, config, BuildUpdatePackage(config.version, config.notice),
                   VersionBaseUrl());
  platform_->Serve(platformRoutes_);
  version_->Serve(versionRoutes_);
}

void PlatformServer::Stop() {
  if (platform_) {
    platform_->Stop();
  }
  if (version_) {
    version_->Stop();
  }
}

std::string PlatformServer::BaseUrl() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

std::string PlatformServer::VersionBaseUrl() const {
  return "http://127.0.0.1:" + std::to_string(versionPort_);
}

}  // namespace sandbox
