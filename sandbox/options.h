#pragma once
// The command line of platform-sandbox.

#include <string>
#include <vector>

#include "sandbox/sandbox_config.h"

namespace sandbox {

struct ParsedOptions {
  SandboxConfig config;
  bool help = false;
  std::string error;  // empty when the command line was understood
};

// args without the program name.
ParsedOptions ParseOptions(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace sandbox
