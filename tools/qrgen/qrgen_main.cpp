// qrgen [-l L|M|Q|H] [-s WxH] [-o FILE.bmp] [--matrix] [--] [TEXT]
// Writes the QR code of TEXT (UTF-8; without TEXT, all of standard input) as a BMP file (to
// standard output without -o), or with --matrix prints "version V", "mask M" and the module matrix
// as rows of 0/1 (1 = dark).

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program_arguments.h"
#include "qr/qr_front_end.h"
#include "qr/qr_module.h"

namespace {

namespace qr = hosting::qr;

struct Options {
  std::string level = "Q";
  std::int64_t width = 200;
  std::int32_t height = 200;
  std::string output;
  bool matrix = false;
  bool help = false;
  std::optional<std::string> text;
};

constexpr int kGeneratorOrIoError = 1;
constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "usage: qrgen [-l L|M|Q|H] [-s WxH] [-o FILE.bmp] [--matrix] [--] [TEXT]\n";

constexpr std::string_view kHelp =
    "Encodes TEXT (UTF-8) as a QR code; without TEXT, encodes all of standard input, byte for\n"
    "byte. Writes a BMP picture to standard output, or to FILE.bmp with -o.\n"
    "\n"
    "  -l L|M|Q|H     error correction level (default Q)\n"
    "  -s WxH         picture size in pixels (default 200x200)\n"
    "  -o FILE.bmp    write the picture to FILE.bmp\n"
    "  --matrix       print the version, the mask and the module rows (1 = dark) instead\n"
    "  --             end of options: a TEXT that starts with '-' follows\n"
    "  --help         print this help\n"
    "\n"
    "Exit codes: 0 success; 1 the generator's error report (on standard error), or a failed\n"
    "read or write; 2 a usage error.\n";

template <typename Int>
bool ParseInt(std::string_view text, Int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseSize(std::string_view size, Options& options) {
  const auto x = size.find('x');
  return x != std::string_view::npos && ParseInt(size.substr(0, x), options.width) &&
         ParseInt(size.substr(x + 1), options.height);
}

std::optional<Options> ParseArguments(const std::vector<std::string>& argv) {
  Options options;
  bool optionsEnded = false;
  const auto argc = static_cast<int>(argv.size());
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    const bool isOption = !optionsEnded && arg.size() > 1 && arg.front() == '-';
    if (!isOption && !options.text) {
      options.text = std::string(arg);
    } else if (!isOption) {
      return std::nullopt;
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help") {
      options.help = true;
    } else if (arg == "--matrix") {
      options.matrix = true;
    } else if (arg == "-l" && hasValue) {
      options.level = argv[++i];
    } else if (arg == "-s" && hasValue) {
      if (!ParseSize(argv[++i], options)) {
        return std::nullopt;
      }
    } else if (arg == "-o" && hasValue) {
      options.output = argv[++i];
    } else {
      return std::nullopt;
    }
  }
  return options;
}

// All of standard input, byte for byte; nullopt when it cannot be read to the end.
std::optional<std::string> ReadStandardInput() {
  std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  if (std::cin.bad()) {
    return std::nullopt;
  }
  return text;
}

void PrintMatrix(const qr::二维码类& code) {
  std::cout << "version " << code.GetVersion() << "\nmask " << code.GetMaskPattern() << '\n';
  const qr::字节矩阵类& matrix = code.GetMatrix();
  for (int y = 0; y < matrix.GetHeight(); ++y) {
    std::string line;
    for (const std::int8_t cell : matrix.Row(y)) {
      line += cell == 1 ? '1' : '0';
    }
    std::cout << line << '\n';
  }
}

bool WriteBitmap(const std::vector<std::uint8_t>& bmp, const std::string& path) {
  const auto* data = reinterpret_cast<const char*>(bmp.data());
  const auto size = static_cast<std::streamsize>(bmp.size());
  if (path.empty()) {
    std::cout.write(data, size);
    return static_cast<bool>(std::cout.flush());
  }
  std::ofstream file(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
  file.write(data, size);
  file.close();
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  hosting::qrgen::UseBinaryStandardStreams();
  std::optional<Options> options = ParseArguments(hosting::qrgen::Utf8Arguments(argc, argv));
  if (!options) {
    std::cerr << kUsage;
    return kUsageError;
  }
  if (options->help) {
    std::cout << kUsage << '\n' << kHelp;
    return 0;
  }
  if (!options->text) {
    options->text = ReadStandardInput();
    if (!options->text) {
      std::cerr << "qrgen: cannot read stdin\n";
      return kGeneratorOrIoError;
    }
  }
  try {
    if (options->matrix) {
      PrintMatrix(qr::EncodeContent(*options->text, options->level));
      return std::cout.flush() ? 0 : kGeneratorOrIoError;
    }
    const auto bmp =
        qr::创建二维码(*options->text, options->level, options->width, options->height);
    if (!WriteBitmap(bmp, options->output)) {
      std::cerr << "qrgen: cannot write " << (options->output.empty() ? "stdout" : options->output)
                << '\n';
      return kGeneratorOrIoError;
    }
  } catch (const qr::QrError& error) {
    std::cerr << error.report() << '\n';
    return kGeneratorOrIoError;
  }
  return 0;
}
