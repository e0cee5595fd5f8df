#pragma once
// Manually timed iterations: each ends by handing its time to the benchmark and keeping it, in
// milliseconds, for the medians the benchmarks report.

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

inline void EndIteration(benchmark::State& state, std::chrono::steady_clock::time_point start,
                         std::vector<double>& times) {
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.SetIterationTime(seconds);
  times.push_back(seconds * 1000.0);
}
