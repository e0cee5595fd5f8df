#include "ui/skin/native_image.h"

#include <string>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace hosting::skin {

SystemLibraries::SystemLibraries(SystemLibraries&& other) noexcept
    : handles_(std::exchange(other.handles_, {})) {}

SystemLibraries& SystemLibraries::operator=(SystemLibraries&& other) noexcept {
  if (this != &other) {
    ReleaseAll();
    handles_ = std::exchange(other.handles_, {});
  }
  return *this;
}

SystemLibraries::~SystemLibraries() {
  ReleaseAll();
}

#ifdef _WIN32

std::uint64_t SystemLibraries::Resolve(const ImportRequest& request) {
  HMODULE library = LoadLibraryA(std::string(request.library).c_str());
  if (library == nullptr) {
    return 0;
  }
  handles_.push_back(library);
  const std::string name(request.name);
  const LPCSTR symbol = request.name.empty() ? MAKEINTRESOURCEA(request.ordinal) : name.c_str();
  return reinterpret_cast<std::uintptr_t>(GetProcAddress(library, symbol));
}

void SystemLibraries::ReleaseAll() {
  for (void* handle : handles_) {
    FreeLibrary(static_cast<HMODULE>(handle));
  }
  handles_.clear();
}

#else

std::uint64_t SystemLibraries::Resolve(const ImportRequest&) {
  return 0;
}
void SystemLibraries::ReleaseAll() {
  handles_.clear();
}

#endif

bool CallEntryPoint([[maybe_unused]] std::uint64_t address, [[maybe_unused]] std::uint64_t base,
                    [[maybe_unused]] EntryReason reason) {
#ifdef _WIN32
  using DllEntry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
  const auto entry = reinterpret_cast<DllEntry>(static_cast<std::uintptr_t>(address));
  const auto instance = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(base));
  return entry(instance, static_cast<DWORD>(reason), nullptr) != FALSE;
#else
  return true;
#endif
}

void CallStdcall6([[maybe_unused]] std::uint32_t address,
                  [[maybe_unused]] const std::array<std::uint32_t, 6>& arguments) {
#if HOSTING_SKIN_RUNS_IMAGE_CODE
  using Function = int(WINAPI*)(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                std::uint32_t, std::uint32_t);
  const auto function = reinterpret_cast<Function>(static_cast<std::uintptr_t>(address));
  function(arguments[0], arguments[1], arguments[2], arguments[3], arguments[4], arguments[5]);
#endif
}

}  // namespace hosting::skin
