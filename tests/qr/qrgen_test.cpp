// The qrgen program: matrix listing, BMP output, text from arguments or stdin, exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "qr/qr_front_end.h"
#include "qr/qr_module.h"
#include "support/files.h"

namespace hosting::qr {
namespace {

using testing_support::FileBytes;

struct Outcome {
  int exitCode = -1;
  std::string out, err;
};

// Runs qrgen with args (each quoted for the shell) and `input` on standard input.
Outcome RunQrgen(const std::vector<std::string>& args, const std::string& input = "") {
  const testing_support::ScratchFolder folder("qrgen_test");
  std::ofstream(folder.path() / "in", std::ios::binary) << input;
  std::string command = std::getenv("QRGEN");
  for (const std::string& arg : args) {
    command += " '";
    for (const char c : arg)
      command += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += "'";
  }
  const std::string at = folder.path().string() + "/";
  const int status =
      std::system((command + " <" + at + "in >" + at + "out 2>" + at + "err").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileBytes(folder.path() / "out"),
          FileBytes(folder.path() / "err")};
}

std::string MatrixListing(const std::string& text) {
  const 二维码类 qr = EncodeSymbol(text, EcLevels()[3]);
  std::string listing = "version " + std::to_string(qr.GetVersion()) + "\nmask " +
                        std::to_string(qr.GetMaskPattern()) + "\n";
  for (int i = 0; i < qr.GetMatrixWidth() * qr.GetMatrixWidth(); ++i) {
    const int x = i % qr.GetMatrixWidth();
    listing += std::string(qr.GetMatrix().Get(x, i / qr.GetMatrixWidth()) == 1 ? "1" : "0") +
               (x + 1 == qr.GetMatrixWidth() ? "\n" : "");
  }
  return listing;
}

// The one argument, after `--` even when it looks like an option, or else all of standard input.
TEST(Qrgen, MatrixListingOfTheTextFromArgumentsOrStandardInput) {
  const std::string text = "登录 https://example.invalid/q?id='42'";
  const std::tuple<std::vector<std::string>, std::string, std::string> runs[] = {
      {{"--matrix", "-l", "h", text}, "", text},
      {{"--matrix", "-l", "h", "-"}, "", "-"},
      {{"--matrix", "-l", "h", "--", "-l"}, "", "-l"},
      {{"--matrix", "-l", "h"}, "-x\n", "-x\n"},
      {{"-l", "h", "--matrix", "--"}, text, text}};
  for (const auto& [args, input, encoded] : runs) {
    const Outcome run = RunQrgen(args, input);
    EXPECT_EQ(std::tie(run.exitCode, run.err), std::tuple(0, "")) << encoded;
    EXPECT_EQ(run.out, MatrixListing(encoded)) << encoded;
  }
}

TEST(Qrgen, HelpListsTheOptionsAndExitCodes) {
  const Outcome run = RunQrgen({"--help"});
  EXPECT_TRUE(run.exitCode == 0 && run.out.starts_with("usage: qrgen [-l L|M|Q|H] [-s WxH]") &&
              run.out.find("--matrix ") != run.out.npos &&
              run.out.find("Exit codes: 0") != run.out.npos)
      << run.out;
}

TEST(Qrgen, WritesTheBitmapToTheFileOrStdout) {
  const testing_support::ScratchFolder folder("qrgen_picture");
  const auto path = folder.path() / "picture.bmp";
  ASSERT_EQ(RunQrgen({"-s", "300x200", "-o", path.string(), "-l", "m", "hi"}).exitCode, 0);
  const auto bytes = [](const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
  };
  EXPECT_EQ(bytes(FileBytes(path)), 创建二维码("hi", "M", 300, 200));
  const Outcome toStdout = RunQrgen({"hi"});  // 200 x 200 at level Q by default
  EXPECT_EQ(std::tie(toStdout.exitCode, toStdout.err), std::tuple(0, ""));
  EXPECT_EQ(bytes(toStdout.out), 创建二维码("hi", "Q", 200, 200));
}

// Exit code 1: the generator or a write failed; 2: usage.
TEST(Qrgen, FailuresExitWithTheirCodeAndSayWhy) {
  const std::string usage =
      "usage: qrgen [-l L|M|Q|H] [-s WxH] [-o FILE.bmp] [--matrix] [--] [TEXT]\n";
  const std::string report = "异常来源：[二维码模块]\r\n方法名称：";
  const std::tuple<std::vector<std::string>, int, std::string> runs[] = {
      {{"   "}, 1, report + "编码()\r\n异常信息：没有编码内容\n"},
      {{"-o", "/nonexistent/x.bmp", "hi"}, 1, "qrgen: cannot write /nonexistent/x.bmp\n"},
      {{"-s", "10", "hi"}, 2, usage},
      {{"--bogus", "hi"}, 2, usage},
      {{"a", "b"}, 2, usage},
      {{"-l"}, 2, usage}};
  for (const auto& [args, code, err] : runs) {
    const Outcome run = RunQrgen(args);
    EXPECT_EQ(std::tie(run.exitCode, run.err, run.out), std::tuple(code, err, "")) << err;
  }
}

}  // namespace
}  // namespace hosting::qr
