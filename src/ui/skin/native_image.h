#pragma once
// What only the system can do for a mapped image: run its code and load the libraries it imports.
// Both exist only in a Windows process as wide as the image; elsewhere the image is mapped as data.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/skin/memory_module.h"
#include "ui/skin/pe_headers.h"

namespace hosting::skin {

#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#define HOSTING_SKIN_RUNS_IMAGE_CODE 1
#else
#define HOSTING_SKIN_RUNS_IMAGE_CODE 0
#endif
#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

// True where this process can run the code of an image of `width`.
constexpr bool CanRunImageCode(ImageWidth width) {
  return kOnWindows && AddressSize(width) == sizeof(void*);
}

// Libraries loaded by the system loader for one image's imports, released with the object.
class SystemLibraries {
 public:
  SystemLibraries() = default;
  SystemLibraries(const SystemLibraries&) = delete;
  SystemLibraries& operator=(const SystemLibraries&) = delete;
  SystemLibraries(SystemLibraries&& other) noexcept;
  SystemLibraries& operator=(SystemLibraries&& other) noexcept;
  ~SystemLibraries();

  // The address of the requested function through LoadLibraryA/GetProcAddress; 0 when it cannot
  // be resolved (always 0 off Windows).
  std::uint64_t Resolve(const ImportRequest& request);

 private:
  void ReleaseAll();

  std::vector<void*> handles_;
};

enum class EntryReason : std::uint32_t { kProcessDetach = 0, kProcessAttach = 1 };

// Calls the DLL entry point at `address` as DllMain(base, reason, 0) and gives its result; only for
// an image that CanRunImageCode. Off Windows nothing is called and the result is true.
bool CallEntryPoint(std::uint64_t address, std::uint64_t base, EntryReason reason);

// Calls the stdcall function at `address` with six 32-bit arguments; its result is not used.
// Outside a 32-bit x86 Windows process nothing is called.
void CallStdcall6(std::uint32_t address, const std::array<std::uint32_t, 6>& arguments);

}  // namespace hosting::skin
