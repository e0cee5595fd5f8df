// Our QR generator side by side with libqrencode and zxing-cpp's writer on four texts. The
// peers' module matrices go through our RenderMatrix and PaintBitmap, so every picture is drawn
// by the same rule (quiet zone of two modules, whole-number scale, centred, 24-bit BMP).

#include <ZXing/BitMatrix.h>
#include <ZXing/CharacterSet.h>
#include <ZXing/MultiFormatWriter.h>
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <memory>
#include <string>
#include <vector>

#include "qr/qr_front_end.h"
#include "qr/qr_module.h"

namespace {

namespace qr = hosting::qr;

constexpr int kPictureSize = 200;

struct Input {
  const char* name;
  std::string text;
  int level;  // 0-3: L, M, Q, H
};

std::string Repeat(std::string_view piece, std::size_t length) {
  std::string text;
  while (text.size() < length) {
    text += piece;
  }
  text.resize(length);
  return text;
}

const std::vector<Input>& Inputs() {
  static const std::vector<Input> inputs = {
      {"login100_Q",
       Repeat("https://login.example.com/l/QoA8xV3nY2k9Tq_mW7rZ4bH6jE1sD5gF0cL?tk=", 100), 2},
      {"hello17_Q", "hello world 12345", 2},
      {"text1000_L", Repeat("The quick brown fox jumps over the lazy dog; 0123456789. ", 1000), 0},
      {"chinese60_Q", "账号托管登录二维码：请用手机扫码 scan me 12345678", 2},
  };
  return inputs;
}

constexpr const char* kLevelNames[] = {"L", "M", "Q", "H"};

// --- libqrencode ---------------------------------------------------------------------------

using QrencodeCode = std::unique_ptr<QRcode, decltype(&QRcode_free)>;

QrencodeCode QrencodeEncode(const Input& input) {
  constexpr QRecLevel kLevels[] = {QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H};
  return {QRcode_encodeString8bit(input.text.c_str(), 0, kLevels[input.level]), &QRcode_free};
}

qr::二维码类 FromQrencode(const QRcode& code) {
  qr::字节矩阵类 matrix(code.width, code.width);
  for (int y = 0; y < code.width; ++y) {
    for (int x = 0; x < code.width; ++x) {
      matrix.Set(x, y, static_cast<std::int8_t>(code.data[y * code.width + x] & 1));
    }
  }
  qr::二维码类 symbol;
  symbol.SetMatrix(std::move(matrix));
  return symbol;
}

// --- zxing-cpp -----------------------------------------------------------------------------

ZXing::BitMatrix ZxingEncode(const Input& input) {
  // zxing's scale 0-8: 1 = L, 3 = M, 5 = Q, 7 = H.
  return ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
      .setEncoding(ZXing::CharacterSet::UTF8)
      .setEccLevel(input.level * 2 + 1)
      .setMargin(0)
      .encode(input.text, 0, 0);
}

qr::二维码类 FromZxing(const ZXing::BitMatrix& bits) {
  qr::字节矩阵类 matrix(bits.width(), bits.height());
  for (int y = 0; y < bits.height(); ++y) {
    for (int x = 0; x < bits.width(); ++x) {
      matrix.Set(x, y, static_cast<std::int8_t>(bits.get(x, y)));
    }
  }
  qr::二维码类 symbol;
  symbol.SetMatrix(std::move(matrix));
  return symbol;
}

std::vector<std::uint8_t> Draw(const qr::二维码类& symbol) {
  return qr::PaintBitmap(qr::RenderMatrix(symbol, kPictureSize, kPictureSize), kPictureSize,
                         kPictureSize, qr::kWhite, qr::kBlack);
}

void SetVersion(benchmark::State& state, int dimension) {
  state.counters["version"] = (dimension - 17) / 4;
}

// --- benchmarks ----------------------------------------------------------------------------

void OursRender(benchmark::State& state, const Input& input) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        qr::创建二维码(input.text, kLevelNames[input.level], kPictureSize, kPictureSize));
  }
  SetVersion(state, qr::EncodeSymbol(input.text, qr::EcLevels()[input.level]).GetMatrixWidth());
}

void OursEncode(benchmark::State& state, const Input& input) {
  const qr::EcLevel& level = qr::EcLevels()[static_cast<std::size_t>(input.level)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(qr::EncodeSymbol(input.text, level));
  }
  SetVersion(state, qr::EncodeSymbol(input.text, level).GetMatrixWidth());
}

void QrencodeRender(benchmark::State& state, const Input& input) {
  for (auto _ : state) {
    const QrencodeCode code = QrencodeEncode(input);
    benchmark::DoNotOptimize(Draw(FromQrencode(*code)));
  }
  SetVersion(state, QrencodeEncode(input)->width);
}

void QrencodeOnly(benchmark::State& state, const Input& input) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(QrencodeEncode(input));
  }
  SetVersion(state, QrencodeEncode(input)->width);
}

void ZxingRender(benchmark::State& state, const Input& input) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Draw(FromZxing(ZxingEncode(input))));
  }
  SetVersion(state, ZxingEncode(input).width());
}

void ZxingOnly(benchmark::State& state, const Input& input) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ZxingEncode(input));
  }
  SetVersion(state, ZxingEncode(input).width());
}

const bool kRegistered = [] {
  using Bench = void (*)(benchmark::State&, const Input&);
  const std::pair<const char*, Bench> kinds[] = {
      {"render/ours", OursRender},       {"render/qrencode", QrencodeRender},
      {"render/zxing", ZxingRender},     {"encode/ours", OursEncode},
      {"encode/qrencode", QrencodeOnly}, {"encode/zxing", ZxingOnly}};
  for (const Input& input : Inputs()) {
    for (const auto& [kind, function] : kinds) {
      benchmark::RegisterBenchmark((std::string(kind) + "/" + input.name).c_str(), function, input)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
