// Runs a fuzz target over each file in the named directories, sorted so that every run is the same.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>

#include "support/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::set<std::filesystem::path> inputs;
  for (std::error_code missing; --argc > 0;)
    for (const auto& entry : std::filesystem::directory_iterator(argv[argc], missing))
      inputs.insert(entry.path());
  for (const auto& input : inputs) {
    std::fprintf(stderr, "%s\n", input.c_str());  // unbuffered: a crash names its input
    const std::string bytes = hosting::testing_support::FileBytes(input);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
