// The qrgen command: its matrix listing, its BMP output and its error exits.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "qr/qr_module.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (const char c : arg) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Outcome RunQrgen(const std::vector<std::string>& args) {
  const char* qrgen = std::getenv("QRGEN");
  EXPECT_NE(qrgen, nullptr);
  const auto dir = std::filesystem::temp_directory_path();
  static int runs = 0;
  const auto stamp = std::to_string(::getpid()) + "_" + std::to_string(++runs);
  const auto outPath = dir / ("qrgen_out_" + stamp);
  const auto errPath = dir / ("qrgen_err_" + stamp);
  std::string command = Quote(qrgen ? qrgen : "qrgen");
  for (const std::string& arg : args) {
    command += " " + Quote(arg);
  }
  command += " >" + Quote(outPath.string()) + " 2>" + Quote(errPath.string());
  const int status = std::system(command.c_str());
  Outcome run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(outPath), ReadFile(errPath)};
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return run;
}

TEST(Qrgen, MatrixListingMatchesTheEncoder) {
  const std::string text = "登录 https://example.invalid/q?id=42";
  const Outcome run = RunQrgen({"--matrix", "-l", "h", text});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const 二维码类 qr = EncodeSymbol(text, EcLevels()[3]);
  std::ostringstream expected;
  expected << "version " << qr.GetVersion() << "\nmask " << qr.GetMaskPattern() << "\n";
  for (int y = 0; y < qr.GetMatrixWidth(); ++y) {
    for (int x = 0; x < qr.GetMatrixWidth(); ++x) {
      expected << (qr.GetMatrix().Get(x, y) == 1 ? '1' : '0');
    }
    expected << '\n';
  }
  EXPECT_EQ(run.out, expected.str());
}

TEST(Qrgen, WritesADecodableBitmapOfTheRequestedSize) {
  const auto path = std::filesystem::temp_directory_path() / "qrgen_test_picture.bmp";
  const Outcome run = RunQrgen({"-s", "300x200", "-o", path.string(), "hello qrgen"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string file = ReadFile(path);
  std::filesystem::remove(path);
  const std::vector<std::uint8_t> bmp(file.begin(), file.end());
  const test::Picture picture = test::ReadBmp(bmp);
  EXPECT_EQ(picture.width, 300);
  EXPECT_EQ(picture.height, 200);
  EXPECT_EQ(test::DecodeBmp(bmp), "hello qrgen");
  // Without -o the file goes to stdout; the default is 200 x 200 at level Q.
  const Outcome toStdout = RunQrgen({"hello qrgen"});
  ASSERT_EQ(toStdout.exitCode, 0);
  EXPECT_EQ(
      toStdout.out,
      std::string(reinterpret_cast<const char*>(创建二维码("hello qrgen", "Q", 200, 200).data()),
                  54 + 600 * 200));
}

TEST(Qrgen, ErrorsPrintTheReportAndExitWithOne) {
  const Outcome blank = RunQrgen({"   "});
  EXPECT_EQ(blank.exitCode, 1);
  EXPECT_EQ(blank.err, "异常来源：[二维码模块]\r\n方法名称：编码()\r\n异常信息：没有编码内容\n");
  EXPECT_TRUE(blank.out.empty());
  const Outcome level = RunQrgen({"-l", "X", "--matrix", "hi"});
  EXPECT_EQ(level.exitCode, 1);
  EXPECT_NE(level.err.find("容错等级必须为L、M、Q、H四个之一。"), std::string::npos);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"-s", "10", "hi"}, {"-s", "10xA", "hi"}, {"--bogus", "hi"}, {"a", "b"}}) {
    const Outcome usage = RunQrgen(args);
    EXPECT_EQ(usage.exitCode, 1);
    EXPECT_NE(usage.err.find("usage: qrgen"), std::string::npos);
  }
}

}  // namespace
}  // namespace hosting::qr
