#pragma once
// What this process holds right now, read from /proc/self and the C library's allocator: resident
// memory, heap in use and the number of its threads. Linux only; a value that cannot be read is
// zero (heap under a sanitizer, whose allocator the C library cannot see).

#include <cstdint>

namespace hosting::e2e {

struct ProcessProbe {
  std::uint64_t residentBytes = 0;  // VmRSS
  std::uint64_t heapBytes = 0;      // allocated by malloc, arenas and mmapped blocks
  int threads = 0;                  // entries of /proc/self/task

  static ProcessProbe Now();
};

}  // namespace hosting::e2e
