#include "settings/settings_file.h"

#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>

#include "net/codec.h"
#include "net/text_helpers.h"
#include "settings/profile_lines.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace hosting::settings {
namespace {

namespace fs = std::filesystem;

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes a temporary file beside the target and renames it over the target, so that a reader
// sees the old file or the new one, never a torn one. False when any step fails.
bool ReplaceFile(const fs::path& file, std::string_view content) {
  fs::path temporary = file;
  temporary += ".tmp" + net::RandomDigits(8);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  fs::rename(temporary, file, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

// A name or value with a line break or NUL would split its line and could not be read back.
bool FitsOnOneLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace

std::string ReadSetting(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
  const std::optional<std::string> content = ReadFileBytes(file);
  const std::optional<std::string> value =
      content ? FindProfileValue(*content, section, key) : std::nullopt;
  return value ? net::GbkToUtf8(*value) : std::string(defaultValue);
}

void WriteSetting(const fs::path& file, std::string_view section, std::string_view key,
                  std::string_view value) {
  if (file.empty() || !FitsOnOneLine(section) || !FitsOnOneLine(key) || !FitsOnOneLine(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) {
    return;
  }
  // Read, change and replace as one step, so that two writers in this process never drop each
  // other's keys.
  static std::mutex writing;
  const std::lock_guard lock(writing);
  std::optional<std::string> content = ReadFileBytes(file);
  std::error_code error;
  if (!content && fs::exists(file, error)) {
    return;  // unreadable: replacing it would lose what it holds
  }
  fs::create_directories(file.parent_path(), error);  // the first write makes the folder
  ReplaceFile(file, WithProfileValue(content.value_or(""), section, key, net::Utf8ToGbk(value)));
}

fs::path ExecutableDirectory() {
#ifdef _WIN32
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return fs::path(buffer).parent_path();
    }
    buffer.resize(buffer.size() * 2);  // the path was cut
  }
#else
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path{} : executable.parent_path();
#endif
}

fs::path SettingsFilePath() {
  const fs::path directory = ExecutableDirectory();
  return directory.empty() ? fs::path{} : directory / kSettingsFileName;
}

}  // namespace hosting::settings
