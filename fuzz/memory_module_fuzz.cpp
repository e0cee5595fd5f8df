// MemoryModule::Load over any bytes: a loaded image answers and unloads; a refused one is empty.
#include <span>

#include "fuzz_support.h"
#include "ui/skin/memory_module.h"

const std::size_t hosting::fuzz::kFieldCount = 1;

void hosting::fuzz::Fuzz(const Fields& fields) {
  skin::MemoryModule module;
  const auto* image = reinterpret_cast<const std::uint8_t*>(fields[0].data());
  const bool loaded =
      module.Load(std::span(image, fields[0].size()), [](const skin::ImportRequest& r) {
        const std::size_t mix = r.library.size() * 31 + r.name.size() + r.ordinal;
        return mix % 7 == 0 ? 0 : 0x70000000U + static_cast<std::uint32_t>(mix % 0x10000);
      });
  const std::uint64_t base = module.GetBase();
  // One lookup, of the export the skin engine calls: a hostile image can declare millions of names.
  const std::uint64_t address = module.GetProc("SkinH_AttachRes");
  Require(loaded ? base != 0 && (address == 0 || address >= base) : base == 0 && address == 0,
          "a loaded image has a base below its exports; a refused one holds nothing");
  skin::MemoryModule moved(std::move(module));
  Require(moved.GetBase() == base && (!loaded || (moved.Free() && moved.GetBase() == 0)),
          "a moved module keeps its image until freed");
}
