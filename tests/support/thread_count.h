#pragma once
// How many threads this process has now (Linux: the entries of /proc/self/task).

#include <filesystem>
#include <iterator>

namespace hosting::testing_support {

inline int ThreadCount() {
  return static_cast<int>(
      std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
}

}  // namespace hosting::testing_support
