#pragma once
// Reading of JsonObject paths: member names joined by '.', array indices in brackets, an optional
// leading index ("[0].id"). Internal to hosting_data.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace hosting::data {

// One step of a path: a member name or an array index.
struct PathStep {
  std::string_view name;
  std::size_t index = 0;
  bool isIndex = false;
};

// Walks a path one step at a time without allocating. Names may hold any byte except '.', '['
// and ']' and must not be empty; indices are decimal digits only.
class PathReader {
 public:
  explicit PathReader(std::string_view path) : rest_(path) {}
  // The next step; false at the end of the path or on a syntax error (then failed() is true).
  bool Next(PathStep& step);
  bool failed() const { return failed_; }

 private:
  bool ReadIndex(PathStep& step);
  bool ReadName(PathStep& step);
  bool Fail();

  std::string_view rest_;
  bool first_ = true;
  bool failed_ = false;
};

// All steps of a path (none for the empty path); nullopt when the path cannot be parsed.
std::optional<std::vector<PathStep>> SplitPath(std::string_view path);

}  // namespace hosting::data
