// datas.ini: a private-profile file in GBK with CRLF lines, read and written through UTF-8 texts.

#include "settings/settings_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <csignal>
#include <fstream>
#include <thread>

#include "support/files.h"

namespace hosting::settings {
namespace {

namespace fs = std::filesystem;
using testing_support::FileBytes;
using testing_support::ScratchFolder;

// GBK bytes of the names, written out so that the file format is checked apart from the codec.
const std::string kSection = "[\xA1\xBE\xC5\xE4\xD6\xC3\xA1\xBF]\r\n";  // [【配置】]
const std::string kUser = "\xD3\xC3\xBB\xA7\xC3\xFB";                   // 用户名
const std::string kPassword = "\xD3\xC3\xBB\xA7\xC3\xDC\xC2\xEB";       // 用户密码
const std::string kZhangSan = "\xE5\xBC\xA0\xE4\xB8\x89", kZhangSanGbk = "\xD5\xC5\xC8\xFD";

class SettingsFile : public testing::Test {
 protected:
  void Put(const std::string& bytes) const { std::ofstream(file_, std::ios::binary) << bytes; }
  ScratchFolder folder_;
  const fs::path file_ = folder_.path() / "datas.ini";
};

TEST_F(SettingsFile, ReadsTheTrimmedValueOfItsSectionAndKeyOrTheDefault) {
  const std::string x = std::string(10237, 'x');
  const struct {
    std::string file, value, section = "【配置】", key = "用户名";
  } cases[] = {
      {"[other]\r\n" + kUser + "=x\r\n" + kSection + kPassword + "=p\r\n" + kUser, "<default>"},
      {kSection + kUser + "=\r\n", ""},
      {"[Net]\r\nUser = a\r\n", "a", "NET", "user"},  // ASCII letters match in any case
      {kSection + kUser + "=  a b \xA1\xA1\r\n", "a b"},
      // 啊 is B0 A1: its second byte and the next A1 are no full-width blank.
      {kSection + kUser + "=\t\xB0\xA1\xA1\xA1\r\n", "\t\xE5\x95\x8A"},
      // Values are cut at the system's read buffer, at a whole character.
      {kSection + kUser + "=" + x + kZhangSanGbk, x + "\xE5\xBC\xA0"},
      {kSection + kUser + "=x" + x + kZhangSanGbk, "x" + x},
  };
  EXPECT_EQ(ReadSetting(file_, kSettingsSection, kUserNameKey, "<default>"), "<default>");
  for (const auto& c : cases) {
    Put(c.file);
    EXPECT_EQ(ReadSetting(file_, c.section, c.key, "<default>"), c.value) << c.file.substr(0, 60);
  }
}

TEST_F(SettingsFile, WritesInGbkChangingOnlyItsOwnLine) {
  // Lines of other sections, comments and blank lines stay as they are.
  const std::string head = "; by hand\n[other]\nkey=1\n\n" + kSection + kPassword,
                    tail = "\r\n[last]\r\nz=9";
  const std::string kept = head + "=old\r\n;note\r\n" + tail;
  const struct {
    std::string before, value, after, key = "用户名", section = "【配置】";
  } cases[] = {
      {"", kZhangSan, kSection + kUser + "=" + kZhangSanGbk + "\r\n"},
      {kept, "new", head + "=new\r\n;note\r\n" + tail, "用户密码"},
      {kept, "u", head + "=old\r\n;note\r\n" + kUser + "=u\r\n" + tail},
      {"[last]\r\nz=9", "v", "[last]\r\nz=9\r\n[new]\r\nk=v\r\n", "k", "new"},
      // A name or value that would split its line is not written.
      {kSection, "x\r\n[other]\r\nk=v", kSection},
      {kSection, std::string("nul\0inside", 10), kSection},
      {kSection, "v", kSection, "k", "a]b"},
      {kSection, "v", kSection, "k="},
  };
  for (const auto& c : cases) {
    Put(c.before);
    WriteSetting(file_, c.section, c.key, c.value);
    EXPECT_EQ(FileBytes(file_), c.after) << c.key << "=" << c.value;
  }
}

#ifndef _WIN32  // a file-size limit has no Windows counterpart that Wine honours
TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileWhole) {
  WriteSetting(file_, kSettingsSection, kUserNameKey, "old");
  const std::string before = FileBytes(file_);
  // A file-size limit makes the temporary file fail half-way, for root as well.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const rlimit small{4096, previous.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  WriteSetting(file_, kSettingsSection, kUserNameKey, std::string(8192, 'n'));
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(FileBytes(file_), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1);
}
#endif

TEST_F(SettingsFile, ConcurrentWritersKeepEachOthersKeys) {
  const auto writeKeys = [this](char prefix) {
    for (int i = 0; i < 60; ++i)
      WriteSetting(file_, "s", prefix + std::to_string(i), "v");
  };
  std::thread other(writeKeys, 'a');
  writeKeys('b');
  other.join();
  EXPECT_EQ(std::ranges::count(FileBytes(file_), '\n'), 1 + 2 * 60) << "[s] and every key";
}

}  // namespace
}  // namespace hosting::settings
