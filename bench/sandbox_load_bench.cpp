// Load on loopback: N kept-alive sessions poll code.do as fast as they are answered, for a fixed
// time, and report requests per second, p50/p99 latency and errors. The peer is a bare
// cpp-httplib server tuned the same way whose handler does nothing, the library's ceiling.
// Every run stops by itself; only 127.0.0.1 is ever contacted.

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <latch>
#include <thread>
#include <vector>

#include "sandbox/platform_server.h"
#include "support/wait_until.h"

namespace {

using Clock = std::chrono::steady_clock;

struct LoadResult {
  std::vector<double> latenciesMs;
  std::int64_t errors = 0;
  double seconds = 0;
};

// One session's request; true when the answer was the expected one.
using Request = std::function<bool(httplib::Client&)>;

// Each of `sessions` threads prepares its client with `prepare` (untimed), then sends `request`
// in a closed loop until `seconds` have passed.
LoadResult RunLoad(int port, int sessions, int seconds,
                   const std::function<Request(httplib::Client&, int)>& prepare) {
  std::vector<std::vector<double>> latencies(static_cast<std::size_t>(sessions));
  std::atomic<std::int64_t> errors{0};
  std::latch ready(sessions);
  std::latch go(1);
  Clock::time_point end;
  std::vector<std::thread> threads;
  for (int i = 0; i < sessions; ++i) {
    threads.emplace_back([&, i] {
      httplib::Client client("127.0.0.1", port);
      client.set_keep_alive(true);
      client.set_tcp_nodelay(true);
      const Request request = prepare(client, i);
      ready.count_down();
      go.wait();
      auto& mine = latencies[static_cast<std::size_t>(i)];
      while (Clock::now() < end) {
        const auto start = Clock::now();
        const bool ok = request(client);
        mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (!ok) {
          ++errors;
        }
      }
    });
  }
  ready.wait();
  const auto start = Clock::now();
  end = start + std::chrono::seconds(seconds);
  go.count_down();
  for (auto& thread : threads) {
    thread.join();
  }
  LoadResult result;
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  result.errors = errors;
  for (auto& part : latencies) {
    result.latenciesMs.insert(result.latenciesMs.end(), part.begin(), part.end());
  }
  std::sort(result.latenciesMs.begin(), result.latenciesMs.end());
  return result;
}

void Report(benchmark::State& state, const LoadResult& result) {
  const auto& all = result.latenciesMs;
  const auto at = [&](double q) {
    return all.empty() ? 0.0
                       : all[static_cast<std::size_t>(q * static_cast<double>(all.size() - 1))];
  };
  state.SetIterationTime(result.seconds);
  state.counters["req_per_s"] = static_cast<double>(all.size()) / result.seconds;
  state.counters["p50_ms"] = at(0.50);
  state.counters["p99_ms"] = at(0.99);
  state.counters["errors"] = static_cast<double>(result.errors);
  state.counters["requests"] = static_cast<double>(all.size());
}

// Registers and logs in member i through the platform itself, opens a QR code, and returns the
// poll of that code.
Request PollingMember(sandbox::PlatformServer& server, httplib::Client& client, int i) {
  const std::string account = "load" + std::to_string(i);
  std::string cookie;
  const auto remember = [&](const httplib::Result& answer) {
    if (answer && answer->has_header("Set-Cookie")) {
      const std::string value = answer->get_header_value("Set-Cookie");
      cookie = value.substr(0, value.find(';'));
    }
  };
  const auto captcha = [&] {
    remember(client.Get("/custody/verificationCode/generate.do?0.961945197493981",
                        {{"Cookie", cookie}}));
    return server.context().sessions.CaptchaOf(cookie.substr(cookie.find('=') + 1));
  };
  client.Post("/custody/userapi/adminUser/register.do", {{"Cookie", cookie}},
              "account=" + account + "&password=pw&key=580213746691&checkCode=" + captcha(),
              "application/x-www-form-urlencoded");
  client.Post("/custody/userapi/adminUser/login.do", {{"Cookie", cookie}},
              "account=" + account + "&password=pw&checkCode=" + captcha(),
              "application/x-www-form-urlencoded");
  const auto opened =
      client.Post("/custody/userapi/weixin/code.do?ajax=0.1", {{"Cookie", cookie}},
                  "xiaohao_id=0&action=qrcode", "application/x-www-form-urlencoded");
  const std::string body = opened ? opened->body : std::string();
  const auto idAt = body.find("\"id\":");
  const std::string id = idAt == std::string::npos
                             ? "0"
                             : body.substr(idAt + 5, body.find_first_of(",}", idAt) - idAt - 5);
  const httplib::Headers headers = {{"Cookie", cookie}};
  const std::string poll = "xiaohao_id=" + id + "&action=qrcode";
  return [headers, poll](httplib::Client& c) {
    const auto answer = c.Post("/custody/userapi/weixin/code.do?ajax=0.1234567890123456", headers,
                               poll, "application/x-www-form-urlencoded");
    return answer && answer->status == 200 &&
           answer->body.find("\"loginType\":0") != std::string::npos;
  };
}

void BM_SandboxCodePoll(benchmark::State& state) {
  const int sessions = static_cast<int>(state.range(0));
  const int seconds = static_cast<int>(state.range(1));
  const auto db = std::filesystem::temp_directory_path() / "sandbox-load-bench.db";
  std::filesystem::remove(db);
  for (auto _ : state) {
    sandbox::SandboxConfig config;
    config.db = db.string();
    config.port = 0;
    config.versionPort = 0;
    sandbox::PlatformServer server(config);
    server.Start();
    Report(state, RunLoad(server.port(), sessions, seconds, [&](httplib::Client& client, int i) {
             return PollingMember(server, client, i);
           }));
  }
  for (const char* suffix : {"", "-wal", "-shm"}) {
    std::filesystem::remove(db.string() + suffix);
  }
}

void BM_BareHttplib(benchmark::State& state) {
  const int sessions = static_cast<int>(state.range(0));
  const int seconds = static_cast<int>(state.range(1));
  for (auto _ : state) {
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(128); };
    server.set_tcp_nodelay(true);
    server.set_keep_alive_max_count(100'000);
    server.Post(".*", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("{\"msg\":\"ok\",\"data\":{\"loginType\":0}}", "application/json");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread loop([&] { server.listen_after_bind(); });
    if (hosting::testing_support::WaitUntil([&] { return server.is_running(); })) {
      Report(state, RunLoad(port, sessions, seconds, [](httplib::Client&, int) -> Request {
               return [](httplib::Client& c) {
                 const auto answer = c.Post("/poll", "xiaohao_id=1&action=qrcode",
                                            "application/x-www-form-urlencoded");
                 return answer && answer->status == 200;
               };
             }));
    } else {
      state.SkipWithError("the bare server did not start");
    }
    server.stop();
    loop.join();
  }
}

// {sessions, seconds}
BENCHMARK(BM_BareHttplib)->Args({50, 5})->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_SandboxCodePoll)
    ->Args({50, 20})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
