#include "process_probe.h"

#include <malloc.h>

#include <fstream>
#include <string>

#include "e2e/member_flows.h"

namespace hosting::e2e {
namespace {

// "VmRSS:     123456 kB" of /proc/self/status, in bytes.
std::uint64_t ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      std::uint64_t kib = 0;
      status >> kib;
      return kib * 1024;
    }
    status.ignore(1 << 16, '\n');
  }
  return 0;
}

std::uint64_t HeapBytes() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#else
  return 0;
#endif
}

}  // namespace

ProcessProbe ProcessProbe::Now() {
  return {ResidentBytes(), HeapBytes(), ThreadCount()};
}

}  // namespace hosting::e2e
