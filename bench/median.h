#pragma once
// The median of a benchmark's per-iteration measurements (0 when there are none).

#include <algorithm>
#include <vector>

inline double Median(std::vector<double> values) {
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
