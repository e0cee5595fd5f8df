#include "settings/settings_location.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "settings/settings_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace hosting::settings {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kProgramFolderName = "hosting-client";

// "Program Files", "Program Files (x86)", "Program Files (Arm)", in any case.
bool IsProgramFilesName(const fs::path& component) {
  constexpr std::string_view kPrefix = "program files";
  const fs::path::string_type& name = component.native();
  return name.size() >= kPrefix.size() &&
         std::equal(kPrefix.begin(), kPrefix.end(), name.begin(),
                    [](char wanted, fs::path::value_type c) {
                      return (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) == wanted;
                    });
}

bool IsWritableFolder(const fs::path& folder) {
  if (folder.empty()) {
    return false;
  }
#ifdef _WIN32
  constexpr int kWriteAccess = 2;
  return _waccess(folder.c_str(), kWriteAccess) == 0;
#else
  return access(folder.c_str(), W_OK) == 0;
#endif
}

// The only environment the client reads.
fs::path ConfigurationFolderOfThisMember() {
#ifdef _WIN32
  const wchar_t* appData = _wgetenv(L"APPDATA");
  return appData == nullptr || *appData == L'\0' ? fs::path{}
                                                 : fs::path(appData) / kProgramFolderName;
#else
  const auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? fs::path{} : fs::path(value);
  };
  return XdgConfigurationFolder(variable("XDG_CONFIG_HOME"), variable("HOME"));
#endif
}

}  // namespace

fs::path XdgConfigurationFolder(const fs::path& xdgConfigHome, const fs::path& home) {
  // Relative values are to be ignored: they would follow the working directory.
  if (xdgConfigHome.has_root_directory()) {
    return xdgConfigHome / kProgramFolderName;
  }
  return home.has_root_directory() ? home / ".config" / kProgramFolderName : fs::path{};
}

bool IsInstalledFolder(const fs::path& folder) {
  const fs::path relative = folder.lexically_normal().relative_path();
  if (folder.has_root_directory() && !relative.empty()) {
    const fs::path top = *relative.begin();
    if (top == "usr" || top == "opt") {
      return true;
    }
  }
  return std::ranges::any_of(folder, IsProgramFilesName);
}

SettingsLocation ChooseSettingsLocation(const LocationFacts& facts) {
  const fs::path beside =
      facts.executableFolder.empty() ? fs::path{} : facts.executableFolder / kSettingsFileName;
  if (facts.executableFolderWritable && !beside.empty() &&
      !IsInstalledFolder(facts.executableFolder)) {
    return {beside, {}};
  }
  if (facts.configurationFolder.empty()) {
    return {};
  }
  return {facts.configurationFolder / kSettingsFileName, beside};
}

void TakeStartingValues(const SettingsLocation& location) {
  std::error_code error;
  if (fs::exists(location.file, error) || !fs::exists(location.startingFile, error)) {
    return;
  }
  // In the order the client saves them, so the file is the one a later save would write.
  for (const std::string_view key : {kUserNameKey, kPasswordKey}) {
    WriteSetting(location.file, kSettingsSection, key,
                 ReadSetting(location.startingFile, kSettingsSection, key));
  }
}

fs::path PrepareSettingsFile() {
  const fs::path executableFolder = ExecutableDirectory();
  const SettingsLocation location = ChooseSettingsLocation(
      {executableFolder, IsWritableFolder(executableFolder), ConfigurationFolderOfThisMember()});
  TakeStartingValues(location);
  return location.file;
}

}  // namespace hosting::settings
