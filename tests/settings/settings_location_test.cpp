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

TEST(SettingsLocation, PortableCopiesKeepTheFileBesideThemElseTheConfigurationFolderHoldsIt) {
  const fs::path cfg = "/home/m/.config/hosting-client", file = cfg / "datas.ini";
  const struct {
    LocationFacts facts;
    SettingsLocation expected;
  } cases[] = {
      {{"/home/m/hc", true, cfg}, {"/home/m/hc/datas.ini", {}}},
      {{"/media/cd", false, cfg}, {file, "/media/cd/datas.ini"}},
      {{"/usr/bin", true, cfg}, {file, "/usr/bin/datas.ini"}},  // root can write there
      {{"/opt/hc", true, cfg}, {file, "/opt/hc/datas.ini"}},
      {{"/c/Program Files (x86)/hc", true, cfg}, {file, "/c/Program Files (x86)/hc/datas.ini"}},
      {{"/home/m/usr", true, cfg}, {"/home/m/usr/datas.ini", {}}},
      {{"/usr/bin", true, {}}, {}},
      {{{}, true, cfg}, {file, {}}},  // the executable's folder unknown
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseSettingsLocation(c.facts), c.expected)
        << c.facts.executableFolder << (c.facts.executableFolderWritable ? " writable" : "");
  EXPECT_EQ(XdgConfigurationFolder("/x/cfg", "/home/m"), "/x/cfg/hosting-client");
  EXPECT_EQ(XdgConfigurationFolder({}, "/home/m"), cfg);
  EXPECT_EQ(XdgConfigurationFolder("relative", "/home/m"), cfg) << "a relative value is ignored";
  EXPECT_EQ(XdgConfigurationFolder({}, {}), fs::path{});
}

TEST(SettingsLocation, AnOldFileGivesTheFirstValuesOnceAndTheFolderIsMadeOnTheFirstWrite) {
  const testing_support::ScratchFolder folder;
  const fs::path old = folder.path() / "datas.ini", file = folder.path() / "cfg/hc/datas.ini";
  TakeStartingValues({file, old});
  EXPECT_FALSE(fs::exists(file.parent_path())) << "nothing to take, nothing made";
  WriteSetting(old, kSettingsSection, kUserNameKey, "张三");
  WriteSetting(old, kSettingsSection, kPasswordKey, "a&b");
  const std::string oldBytes = FileBytes(old);
  TakeStartingValues({file, old});
  WriteSetting(old, kSettingsSection, kUserNameKey, "李四");
  TakeStartingValues({file, old});
  EXPECT_EQ(FileBytes(file), oldBytes) << "taken once, byte for byte";

  std::ofstream(folder.path() / "plain") << "x";  // a folder cannot be made under a file
  const fs::path unmakeable = folder.path() / "plain/hc/datas.ini";
  TakeStartingValues({unmakeable, old});
  WriteSetting(unmakeable, kSettingsSection, kUserNameKey, "张三");
  EXPECT_EQ(FileBytes(folder.path() / "plain"), "x");
}

}  // namespace
}  // namespace hosting::settings
