#pragma once
// Where datas.ini lives. A portable copy keeps it beside the executable; an installed copy (under
// /usr, /opt or a Program Files folder), or one whose folder it cannot write, keeps it in the
// member's configuration folder. The choice is made once at start-up.

#include <filesystem>

namespace hosting::settings {

// The member's folder for this program's files: $XDG_CONFIG_HOME/hosting-client, or
// $HOME/.config/hosting-client when XDG_CONFIG_HOME is unset, empty or relative; empty when HOME is
// not an absolute path either. Either argument may be empty.
std::filesystem::path XdgConfigurationFolder(const std::filesystem::path& xdgConfigHome,
                                             const std::filesystem::path& home);

// True for a folder under /usr or /opt, or inside a "Program Files" folder: the system's place
// for installed programs, which no member's settings belong in, even when root can write there.
bool IsInstalledFolder(const std::filesystem::path& folder);

// What the choice depends on.
struct LocationFacts {
  std::filesystem::path executableFolder;  // empty when unknown
  bool executableFolderWritable = false;
  std::filesystem::path configurationFolder;  // empty when the environment names none
};

struct SettingsLocation {
  std::filesystem::path file;  // read and written; empty when there is nowhere to keep it
  // A datas.ini beside the executable whose values become the first ones of `file`; empty when
  // `file` is that one.
  std::filesystem::path startingFile;

  bool operator==(const SettingsLocation&) const = default;
};

SettingsLocation ChooseSettingsLocation(const LocationFacts& facts);

// When `location.file` does not exist yet and `location.startingFile` does, writes the remembered
// user name and password of the latter into the former. Failures are ignored.
void TakeStartingValues(const SettingsLocation& location);

// The facts of this process (its executable, XDG_CONFIG_HOME and HOME, or APPDATA on Windows),
// the choice, and the starting values taken: the datas.ini the client reads and writes.
std::filesystem::path PrepareSettingsFile();

}  // namespace hosting::settings
