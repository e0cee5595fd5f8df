#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

namespace hosting::app {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// GBK bytes of the names, written out so that the file format is checked independently of the
// codec.
const std::string kSectionHeaderGbk = "[\xA1\xBE\xC5\xE4\xD6\xC3\xA1\xBF]";  // [【配置】]
const std::string kUserNameGbk = "\xD3\xC3\xBB\xA7\xC3\xFB";                 // 用户名
const std::string kPasswordGbk = "\xD3\xC3\xBB\xA7\xC3\xDC\xC2\xEB";         // 用户密码
const std::string kZhangSan = "\xE5\xBC\xA0\xE4\xB8\x89";                    // 张三
const std::string kZhangSanGbk = "\xD5\xC5\xC8\xFD";

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("settings_test_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    file_ = dir_ / "datas.ini";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Put(const std::string& bytes) const { std::ofstream(file_, std::ios::binary) << bytes; }
  std::string Bytes() const {
    std::ifstream in(file_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string Read(std::string_view key) const {
    return ReadSetting(file_, kSettingsSection, key, "<default>");
  }
  void Write(std::string_view key, std::string_view value) const {
    WriteSetting(file_, kSettingsSection, key, value);
  }

  fs::path dir_;
  fs::path file_;
};

TEST_F(SettingsFileTest, MissingFileSectionOrKeyReadsTheDefault) {
  EXPECT_EQ(Read(kUserNameKey), "<default>");
  Put("[other]\r\n" + kUserNameGbk + "=x\r\n");
  EXPECT_EQ(Read(kUserNameKey), "<default>");
  Put(kSectionHeaderGbk + "\r\n" + kPasswordGbk + "=p\r\n" + kUserNameGbk + "\r\n");
  EXPECT_EQ(Read(kUserNameKey), "<default>");
  Put(kSectionHeaderGbk + "\r\n" + kUserNameGbk + "=\r\n");
  EXPECT_EQ(Read(kUserNameKey), "");
}

TEST_F(SettingsFileTest, FirstWriteCreatesTheFileAndSectionInGbk) {
  Write(kUserNameKey, kZhangSan);
  Write(kPasswordKey, "p\xE2\x82\xAC" + kZhangSan + " x");  // p€张三 x
  EXPECT_EQ(Bytes(), kSectionHeaderGbk + "\r\n" + kUserNameGbk + "=" + kZhangSanGbk + "\r\n" +
                         kPasswordGbk + "=p\x80" + kZhangSanGbk + " x\r\n");
  EXPECT_EQ(Read(kUserNameKey), kZhangSan);
  EXPECT_EQ(Read(kPasswordKey), "p\xE2\x82\xAC" + kZhangSan + " x");
  Write(kPasswordKey, "\xF0\x9F\x98\x80");  // outside GBK
  EXPECT_EQ(Read(kPasswordKey), "?");
}

TEST_F(SettingsFileTest, WritingKeepsEverythingElseInPlace) {
  const std::string before = "; saved by hand\n[other]\nkey=1\n\n" + kSectionHeaderGbk + "\r\n" +
                             kPasswordGbk + "=old\r\n;note\r\n\r\n[last]\r\nz=9";
  Put(before);
  Write(kPasswordKey, "new");
  Write(kUserNameKey, "u");
  EXPECT_EQ(Bytes(), "; saved by hand\n[other]\nkey=1\n\n" + kSectionHeaderGbk + "\r\n" +
                         kPasswordGbk + "=new\r\n;note\r\n" + kUserNameGbk +
                         "=u\r\n\r\n[last]\r\nz=9");
  WriteSetting(file_, "new", "k", "v");
  EXPECT_EQ(Bytes().substr(Bytes().size() - 17), "z=9\r\n[new]\r\nk=v\r\n");
  EXPECT_EQ(ReadSetting(file_, "last", "z"), "9");
}

TEST_F(SettingsFileTest, NamesMatchWithoutRegardToCase) {
  Put("[Net]\r\nUser = a\r\n");
  EXPECT_EQ(ReadSetting(file_, "NET", "user"), "a");
  WriteSetting(file_, "net", "USER", "b");
  EXPECT_EQ(Bytes(), "[Net]\r\nUSER=b\r\n");
  // Only ASCII letters fold: the bytes of Chinese names must match exactly.
  EXPECT_EQ(ReadSetting(file_, "net", kZhangSan, "d"), "d");
}

TEST_F(SettingsFileTest, ValuesAreTrimmedOfBlanksOnly) {
  Put(kSectionHeaderGbk + "\r\n" + kUserNameGbk + "=  a b \xA1\xA1\r\n" + kPasswordGbk +
      "=\t\xB0\xA1\xA1\xA1\r\n");
  EXPECT_EQ(Read(kUserNameKey), "a b");
  // 啊 is B0 A1: its second byte and the next A1 are not a full-width space.
  EXPECT_EQ(Read(kPasswordKey), "\t\xE5\x95\x8A");
}

TEST_F(SettingsFileTest, LongValuesAreCutAtWholeCharacters) {
  Write(kUserNameKey, std::string(20000, 'a'));
  EXPECT_EQ(Read(kUserNameKey), std::string(10239, 'a'));
  std::string chinese;
  for (int i = 0; i < 6000; ++i) {
    chinese += kZhangSan;
  }
  Write(kPasswordKey, chinese);
  EXPECT_EQ(Read(kPasswordKey), chinese.substr(0, 10238 / 2 * 3));
}

TEST_F(SettingsFileTest, BytesThatAreNotGbkDoNotBreakTheReader) {
  std::string noise;
  for (int i = 0; i < 4096; ++i) {
    noise += static_cast<char>(i * 37 % 256);
  }
  Put(noise + "\r\n" + kSectionHeaderGbk + "\r\n" + kUserNameGbk +
      "=\xFF\x80"
      "a\x81\r\n" +
      noise);
  EXPECT_EQ(Read(kUserNameKey),
            "\xEF\xBF\xBD\xE2\x82\xAC"
            "a\xEF\xBF\xBD");
  Write(kPasswordKey, "p");
  EXPECT_EQ(Read(kPasswordKey), "p");
  EXPECT_NE(Bytes().find(noise + "\r\n" + kSectionHeaderGbk), std::string::npos);
}

TEST_F(SettingsFileTest, ValuesThatWouldSplitTheirLineAreNotWritten) {
  Write(kUserNameKey, "a");
  const std::string before = Bytes();
  Write(kUserNameKey, "x\r\n[other]\r\nk=v");
  Write(kPasswordKey, "nul\0inside"s);
  WriteSetting(file_, "a]b", "k", "v");
  WriteSetting(file_, kSettingsSection, "k=", "v");
  EXPECT_EQ(Bytes(), before);
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldFileIntact) {
  Write(kUserNameKey, "old");
  const std::string before = Bytes();
  // A file-size limit makes the temporary file fail half-way, for root as well.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  rlimit small = previous;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  Write(kUserNameKey, std::string(8192, 'n'));
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(SettingsFileTest, ConcurrentWritersKeepEachOthersKeys) {
  constexpr int kKeys = 60;
  const auto writeKeys = [this](char prefix) {
    for (int i = 0; i < kKeys; ++i) {
      WriteSetting(file_, "s", prefix + std::to_string(i), "v");
    }
  };
  std::thread other(writeKeys, 'a');
  writeKeys('b');
  other.join();
  for (int i = 0; i < kKeys; ++i) {
    EXPECT_EQ(ReadSetting(file_, "s", "a" + std::to_string(i)), "v") << i;
    EXPECT_EQ(ReadSetting(file_, "s", "b" + std::to_string(i)), "v") << i;
  }
}

TEST(SettingsPathTest, IsBesideTheExecutableWhateverTheWorkingDirectory) {
  const fs::path before = fs::current_path();
  fs::current_path(fs::temp_directory_path());
  const fs::path directory = ExecutableDirectory();
  fs::current_path(before);
  EXPECT_TRUE(fs::exists(directory / "hosting_app_settings_test"));
  EXPECT_EQ(SettingsFilePath(), directory / "datas.ini");
}

}  // namespace
}  // namespace hosting::app
