// qrgen [-l L|M|Q|H] [-s WxH] [-o FILE.bmp] [--matrix] TEXT
// Writes the QR code of TEXT (UTF-8) as a BMP file (to stdout without -o), or with --matrix
// prints "version V", "mask M" and the module matrix as rows of 0/1 (1 = dark).

#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  std::optional<std::string> text;
};

constexpr std::string_view kUsage =
    "usage: qrgen [-l L|M|Q|H] [-s WxH] [-o FILE.bmp] [--matrix] TEXT\n";

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

std::optional<Options> ParseArguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--matrix") {
      options.matrix = true;
    } else if (arg == "-l" && hasValue) {
      options.level = argv[++i];
    } else if (arg == "-s" && hasValue) {
      if (!ParseSize(argv[++i], options)) {
        return std::nullopt;
      }
    } else if (arg == "-o" && hasValue) {
      options.output = argv[++i];
    } else if (!options.text && (arg.empty() || arg.front() != '-' || arg == "-")) {
      options.text = std::string(arg);
    } else {
      return std::nullopt;
    }
  }
  return options.text ? std::optional(options) : std::nullopt;
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
  std::ofstream file(path, std::ios::binary);
  file.write(data, size);
  file.close();
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseArguments(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 1;
  }
  try {
    if (options->matrix) {
      PrintMatrix(qr::EncodeContent(*options->text, options->level));
      return 0;
    }
    const auto bmp =
        qr::创建二维码(*options->text, options->level, options->width, options->height);
    if (!WriteBitmap(bmp, options->output)) {
      std::cerr << "qrgen: cannot write " << (options->output.empty() ? "stdout" : options->output)
                << '\n';
      return 1;
    }
  } catch (const qr::QrError& error) {
    std::cerr << error.report() << '\n';
    return 1;
  }
  return 0;
}
