#include "soak_series.h"

#include <algorithm>

namespace hosting::soak {

void Series::Add(double minute, double value) {
  minutes_.push_back(minute);
  values_.push_back(value);
}

double Series::Max() const {
  return *std::max_element(values_.begin(), values_.end());
}

double Series::SlopePerHour(double fromMinute) const {
  double n = 0, sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (minutes_[i] < fromMinute)
      continue;
    const double x = minutes_[i];
    const double y = values_[i];
    n += 1;
    sumX += x;
    sumY += y;
    sumXX += x * x;
    sumXY += x * y;
  }
  const double spread = n * sumXX - sumX * sumX;
  if (n < 2 || spread <= 0)
    return 0;
  return (n * sumXY - sumX * sumY) / spread * 60.0;
}

}  // namespace hosting::soak
