#include "data/json_path.h"

#include <charconv>

namespace hosting::data {

bool PathReader::Next(PathStep& step) {
  if (failed_ || rest_.empty()) {
    return false;
  }
  const bool first = first_;
  first_ = false;
  if (rest_.front() == '[') {
    rest_.remove_prefix(1);
    return ReadIndex(step);
  }
  if (!first) {
    if (rest_.front() != '.') {
      return Fail();
    }
    rest_.remove_prefix(1);
  }
  return ReadName(step);
}

bool PathReader::ReadIndex(PathStep& step) {
  const std::size_t close = rest_.find(']');
  if (close == 0 || close == std::string_view::npos) {
    return Fail();
  }
  const char* begin = rest_.data();
  const char* end = begin + close;
  const auto [stop, error] = std::from_chars(begin, end, step.index);
  if (error != std::errc() || stop != end) {
    return Fail();
  }
  step.isIndex = true;
  step.name = {};
  rest_.remove_prefix(close + 1);
  return true;
}

bool PathReader::ReadName(PathStep& step) {
  const std::size_t stop = rest_.find_first_of(".[]");
  if (rest_.empty() || stop == 0 || (stop != std::string_view::npos && rest_[stop] == ']')) {
    return Fail();
  }
  step.isIndex = false;
  step.name = rest_.substr(0, stop);
  rest_.remove_prefix(step.name.size());
  return true;
}

bool PathReader::Fail() {
  failed_ = true;
  return false;
}

std::optional<std::vector<PathStep>> SplitPath(std::string_view path) {
  std::vector<PathStep> steps;
  PathReader reader(path);
  PathStep step;
  while (reader.Next(step)) {
    steps.push_back(step);
  }
  if (reader.failed()) {
    return std::nullopt;
  }
  return steps;
}

}  // namespace hosting::data
