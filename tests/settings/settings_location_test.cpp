// Where datas.ini lives: beside a portable executable, else in the member's configuration folder.

#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <fstream>

#include "settings/settings_file.h"
#include "support/files.h"

namespace hosting::settings {
namespace {

namespace fs = std::filesystem;
using testing_support::FileBytes;
using testing_support::ScratchFolder;

TEST(SettingsLocation, PortableCopiesKeepTheFileBesideThemElseTheConfigurationFolderHoldsIt) {
  const fs::path config = "/home/m/.config/hosting-client";
  const struct {
    fs::path executableFolder;
    bool writable;
    fs::path configurationFolder;
    SettingsLocation expected;
  } cases[] = {
      {"/home/m/client", true, config, {"/home/m/client/datas.ini", {}}},
      {"/media/cd/client", false, config, {config / "datas.ini", "/media/cd/client/datas.ini"}},
      // Root can write /usr/bin; an installed copy still stays out of it.
      {"/usr/bin", true, config, {config / "datas.ini", "/usr/bin/datas.ini"}},
      {"/opt/hosting-client/bin",
       true,
       config,
       {config / "datas.ini", "/opt/hosting-client/bin/datas.ini"}},
      {"/mnt/c/Program Files (x86)/hc",
       true,
       "/c/AppData/hosting-client",
       {"/c/AppData/hosting-client/datas.ini", "/mnt/c/Program Files (x86)/hc/datas.ini"}},
      {"/home/m/usr", true, config, {"/home/m/usr/datas.ini", {}}},
      {"/usr/bin", true, {}, {}},
      {{}, false, config, {config / "datas.ini", {}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseSettingsLocation({c.executableFolder, c.writable, c.configurationFolder}),
              c.expected)
        << c.executableFolder << (c.writable ? " writable" : " read-only");
  }
  EXPECT_EQ(XdgConfigurationFolder("/x/cfg", "/home/m"), "/x/cfg/hosting-client");
  EXPECT_EQ(XdgConfigurationFolder({}, "/home/m"), config);
  EXPECT_EQ(XdgConfigurationFolder("relative", "/home/m"), config) << "a relative value is ignored";
  EXPECT_EQ(XdgConfigurationFolder({}, {}), fs::path{});
}

TEST(SettingsLocation, AnOldFileGivesTheFirstValuesOnceAndTheFolderIsMadeOnTheFirstWrite) {
  const ScratchFolder folder;
  const SettingsLocation location{folder.path() / "config/hosting-client/datas.ini",
                                  folder.path() / "datas.ini"};
  TakeStartingValues(location);
  EXPECT_FALSE(fs::exists(location.file.parent_path())) << "nothing to take, nothing made";

  WriteSetting(location.startingFile, kSettingsSection, kUserNameKey, "张三");
  WriteSetting(location.startingFile, kSettingsSection, kPasswordKey, "a&b");
  const std::string oldBytes = FileBytes(location.startingFile);
  TakeStartingValues(location);
  EXPECT_EQ(FileBytes(location.file), oldBytes);

  WriteSetting(location.startingFile, kSettingsSection, kUserNameKey, "李四");
  TakeStartingValues(location);
  EXPECT_EQ(FileBytes(location.file), oldBytes) << "taken once, never again";

  // A folder that cannot be made (its parent is a file): nothing is remembered, nothing breaks.
  std::ofstream(folder.path() / "plain") << "x";
  const fs::path unmakeable = folder.path() / "plain/hosting-client/datas.ini";
  TakeStartingValues({unmakeable, location.startingFile});
  WriteSetting(unmakeable, kSettingsSection, kUserNameKey, "张三");
  EXPECT_EQ(ReadSetting(unmakeable, kSettingsSection, kUserNameKey), "");
  EXPECT_EQ(FileBytes(folder.path() / "plain"), "x");
}

}  // namespace
}  // namespace hosting::settings
