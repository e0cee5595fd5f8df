// The way every flow reads a list answer: Parse, Count of "data", then GetText of each field of
// each row by a path built from the row index.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "data/json_object.h"

namespace {

constexpr int kRows = 50;
constexpr std::array<std::string_view, 8> kFields = {"id",   "nickname", "headimgurl", "status",
                                                     "wxid", "time",     "earnings",   "online"};

// A hosted-accounts answer of the platform with kRows rows.
std::string ListAnswer() {
  std::string text = R"({"success":true,"msg":"获取成功","data":[)";
  for (int i = 0; i < kRows; ++i) {
    const std::string n = std::to_string(i);
    text += (i ? "," : "");
    text += R"({"id":)" + std::to_string(880000 + i) + R"(,"nickname":"托管账号)" + n +
            R"(","headimgurl":"http://wx.qlogo.cn/mmhead/ver_1/Q3auHgzwzM5v)" + n +
            R"(/132","status":)" + std::to_string(i % 3) + R"(,"wxid":"wxid_a8b7c6d5e4f)" + n +
            R"(","time":"2024-05-)" + std::to_string(10 + i % 20) + R"( 12:34:56","earnings":)" +
            std::to_string(i) + R"(.25,"online":)" + (i % 2 ? "true" : "false") + "}";
  }
  return text + R"(],"attributes":{"total":50}})";
}

void BM_JsonObjectListAnswer(benchmark::State& state) {
  const std::string answer = ListAnswer();
  for (auto _ : state) {
    hosting::data::JsonObject json;
    benchmark::DoNotOptimize(json.Parse(answer));
    benchmark::DoNotOptimize(json.GetText("success"));
    const int count = json.Count("data");
    for (int i = 0; i < count; ++i) {
      for (const std::string_view field : kFields) {
        benchmark::DoNotOptimize(
            json.GetText("data[" + std::to_string(i) + "]." + std::string(field)));
      }
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(answer.size()));
  state.counters["answer_bytes"] = static_cast<double>(answer.size());
}
BENCHMARK(BM_JsonObjectListAnswer)->Unit(benchmark::kMicrosecond);

void BM_JsonObjectParseOnly(benchmark::State& state) {
  const std::string answer = ListAnswer();
  for (auto _ : state) {
    hosting::data::JsonObject json;
    benchmark::DoNotOptimize(json.Parse(answer));
  }
}
BENCHMARK(BM_JsonObjectParseOnly)->Unit(benchmark::kMicrosecond);

// A hostile answer: one object with 300,000 members (parsing must stay n log n).
void BM_JsonObjectWideObject(benchmark::State& state) {
  std::string wide = "{";
  for (int i = 0; i < 300'000; ++i) {
    wide += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  }
  wide.back() = '}';
  for (auto _ : state) {
    hosting::data::JsonObject json;
    benchmark::DoNotOptimize(json.Parse(wide));
  }
}
BENCHMARK(BM_JsonObjectWideObject)->Unit(benchmark::kMillisecond);

// Peer: the same reads straight on nlohmann::json, without paths or text conversions.
void BM_NlohmannDirect(benchmark::State& state) {
  const std::string answer = ListAnswer();
  for (auto _ : state) {
    const auto json = nlohmann::json::parse(answer);
    benchmark::DoNotOptimize(json.at("success").dump());
    for (const auto& row : json.at("data")) {
      for (const std::string_view field : kFields) {
        benchmark::DoNotOptimize(row.at(field).dump());
      }
    }
  }
}
BENCHMARK(BM_NlohmannDirect)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
