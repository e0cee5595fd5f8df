// Several encodes at once: no shared mutable state, identical results.

#include <gtest/gtest.h>

#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "qr/qr_front_end.h"

namespace hosting::qr {
namespace {

constexpr int kThreads = 8;
constexpr int kPerThread = 12;

std::string TextFor(int thread, int i) {
  // Different lengths reach different versions, so the per-version layouts are first built
  // while the threads race for them.
  return "https://example.invalid/login?t=" + std::to_string(thread) + "&i=" + std::to_string(i) +
         std::string(static_cast<std::size_t>(i * 37 + thread * 5), 'x');
}

TEST(QrThreads, EightThreadsEncodeTheSameAsOne) {
  std::vector<std::vector<std::vector<std::uint8_t>>> results(kThreads);
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &start, &out = results[static_cast<std::size_t>(t)]] {
      start.arrive_and_wait();
      for (int i = 0; i < kPerThread; ++i) {
        out.push_back(创建二维码(TextFor(t, i), "Q", 150 + t, 150));
      }
    });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kPerThread; ++i) {
      ASSERT_EQ(results[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)],
                创建二维码(TextFor(t, i), "Q", 150 + t, 150))
          << t << " " << i;
    }
  }
}

}  // namespace
}  // namespace hosting::qr
