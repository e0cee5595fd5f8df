#pragma once
// The saved-credentials file: a private-profile (INI) file in GBK with CRLF lines. Section and key
// names match case-insensitively; values are trimmed of blanks on reading and cut at 10,239 bytes.
// Texts in and out are UTF-8. Writes replace the file atomically, making its folder when missing;
// failures are ignored, and a name or value holding a line break or NUL is not written.

#include <filesystem>
#include <string>
#include <string_view>

namespace hosting::settings {

inline constexpr std::string_view kSettingsFileName = "datas.ini";
inline constexpr std::string_view kSettingsSection = "【配置】";
inline constexpr std::string_view kUserNameKey = "用户名";
inline constexpr std::string_view kPasswordKey = "用户密码";

std::string ReadSetting(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view defaultValue = {});
void WriteSetting(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value);

// The directory of the running executable (its own path, not the working directory); empty when
// the system cannot tell it.
std::filesystem::path ExecutableDirectory();
// ExecutableDirectory() / "datas.ini"; empty when the directory is unknown.
std::filesystem::path SettingsFilePath();

}  // namespace hosting::settings
