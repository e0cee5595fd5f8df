#pragma once
// The update package that the version service offers for download: a real .zip archive.

#include <string>
#include <string_view>

namespace sandbox {

// The file name under /download/ on the version service.
inline constexpr std::string_view kUpdatePackageName = "hosting-client-update.zip";

// A zip archive (built with libzip, in memory) holding a release note for version and notice.
// Throws std::runtime_error when the archive cannot be built.
std::string BuildUpdatePackage(std::string_view version, std::string_view notice);

}  // namespace sandbox
