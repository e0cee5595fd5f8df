#pragma once
// The version service: POST /api/ answers the current version and a notice; the update package
// is served under /download/.

#include "sandbox/router.h"
#include "sandbox/sandbox_config.h"

namespace sandbox {

// The answer of /api/: UTF-8 JSON whose "notice" has every non-ASCII character as a \uXXXX
// escape, as the client cuts the notice from the raw text and unescapes it itself.
std::string VersionAnswer(const SandboxConfig& config, std::string_view packageUrl);

// Adds the routes; package is the archive served at /download/<kUpdatePackageName>.
// versionBaseUrl is the service's own http://host:port.
void AddVersionRoutes(Router& router, const SandboxConfig& config, std::string package,
                      const std::string& versionBaseUrl);

}  // namespace sandbox
