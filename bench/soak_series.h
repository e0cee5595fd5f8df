#pragma once
// One measured quantity of the soak run over time, and what its summary says: first and last
// value, the largest, and the least-squares slope per hour, over the whole run and after warm-up.

#include <string>
#include <vector>

namespace hosting::soak {

class Series {
 public:
  explicit Series(std::string name) : name_(std::move(name)) {}

  void Add(double minute, double value);
  const std::string& name() const { return name_; }
  bool empty() const { return values_.empty(); }
  double First() const { return values_.front(); }
  double Last() const { return values_.back(); }
  double Max() const;
  // Change per hour of the least-squares line through the samples taken from `fromMinute` on;
  // zero with fewer than two such samples.
  double SlopePerHour(double fromMinute = 0) const;

 private:
  std::string name_;
  std::vector<double> minutes_;
  std::vector<double> values_;
};

}  // namespace hosting::soak
