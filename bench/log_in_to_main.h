#pragma once
// The benchmarks' way in: logs a member in through LoginWindow and hands back MainWindow once it
// is up and its first workers are done; throws std::runtime_error when it does not open.

#include <stdexcept>

#include "e2e/client_harness.h"

namespace hosting::e2e {

inline ui::MainWindow& LogInToMain(ClientHarness& harness, const QString& user,
                                   const QString& password) {
  harness.LogIn(user, password, false);
  if (!WaitFor([&] { return harness.main() != nullptr && harness.main()->isVisible(); }))
    throw std::runtime_error("MainWindow did not open");
  harness.WaitWorkers();
  return *harness.main();
}

}  // namespace hosting::e2e
