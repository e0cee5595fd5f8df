// MemoryModule::Load over any bytes as a PE32 image. Imports resolve to made-up addresses, some
// to 0 (unresolved), so both outcomes of the import step are reached. A loaded image must answer
// GetBase and GetProc and unload; a refused one must hold nothing.

#include <span>

#include "fuzz_support.h"
#include "ui/skin/memory_module.h"

namespace {

using hosting::fuzz::Require;
using hosting::skin::ImportRequest;
using hosting::skin::MemoryModule;

std::uint32_t MadeUpAddress(const ImportRequest& request) {
  const std::size_t mix = request.library.size() * 31 + request.name.size() + request.ordinal;
  return mix % 7 == 0 ? 0 : 0x70000000U + static_cast<std::uint32_t>(mix % 0x10000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryModule module;
  const std::span<const std::uint8_t> image(data, size);
  if (!module.Load(image, MadeUpAddress)) {
    Require(module.GetBase() == 0 && module.GetProc("SkinH_AttachRes") == 0,
            "a refused image leaves nothing held");
    return 0;
  }
  const std::uint32_t base = module.GetBase();
  Require(base != 0, "a loaded image has a base");
  // One lookup, of the export the skin engine calls: a lookup walks every name of the image, and
  // a hostile image can declare millions.
  const std::uint32_t address = module.GetProc("SkinH_AttachRes");
  Require(address == 0 || address >= base, "an export lies at or after the base");
  MemoryModule moved(std::move(module));
  Require(moved.GetBase() == base, "a moved module keeps its image");
  Require(moved.Free() && moved.GetBase() == 0, "Free unloads the image");
  return 0;
}
