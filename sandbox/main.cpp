// platform-sandbox: runs the platform and the version service until SIGINT or SIGTERM.

#include <csignal>
#include <iostream>

#include "sandbox/admin_access.h"
#include "sandbox/options.h"
#include "sandbox/platform_server.h"

int main(int argc, char** argv) {
  const auto parsed = sandbox::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.help) {
    std::cout << sandbox::UsageText();
    return 0;
  }
  if (!parsed.error.empty()) {
    std::cerr << "platform-sandbox: " << parsed.error << "\n\n" << sandbox::UsageText();
    return 2;
  }
  // Block the stop signals in every thread; the main thread waits for them below.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  try {
    sandbox::PlatformServer server(parsed.config);
    server.Start();
    std::cout << "platform:        " << server.BaseUrl() << "/custody/\n"
              << "version service: " << server.VersionBaseUrl() << "/api/\n"
              << "admin page:      " << server.BaseUrl() << "/custody/sandbox/\n"
              << "QR texts use:    " << server.context().PublicUrl() << std::endl;
    if (server.adminTokenMadeUp()) {
      // Shown once: whoever reads it may use the admin pages from the network.
      std::cout << "admin token:     " << server.context().config().adminToken << " (header "
                << sandbox::kAdminTokenHeader << " or ?" << sandbox::kAdminTokenParam << "=)"
                << std::endl;
    }
    int received = 0;
    sigwait(&stopSignals, &received);
    std::cout << "stopping" << std::endl;
    server.Stop();
  } catch (const std::exception& error) {
    std::cerr << "platform-sandbox: " << error.what() << std::endl;
    return 1;
  }
  return 0;
}
