// A 64-bit DLL of our own, loaded from its bytes and run where the process can run it (Windows).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/files.h"
#include "ui/skin/memory_module.h"

namespace {

std::vector<std::string>& Journal() {
  static std::vector<std::string> journal;
  return journal;
}

}  // namespace

extern "C" __declspec(dllexport) void Record(const char* event, const char* skin) {
  Journal().push_back(std::string(event) + "|" + skin);
}

namespace hosting::skin {
namespace {

TEST(MemoryModule64, RunsTheEntryPointAndExportsOfADllLoadedFromItsBytes) {
  const std::string file = testing_support::FileBytes(HOSTING_ATTACH_PROBE_DLL);
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  const ImportResolver resolver = [](const ImportRequest& r) -> std::uint64_t {
    return r.name == "Record" ? reinterpret_cast<std::uintptr_t>(&Record) : 0;
  };
  MemoryModule first, second;  // the second copy cannot have the preferred base: it is relocated
  ASSERT_TRUE(first.Load(bytes, resolver));
  ASSERT_TRUE(second.Load(bytes, resolver));
  ASSERT_NE(first.GetBase(), second.GetBase());
  first.Free();  // the second copy's pointers into the first are gone now
  using AttachRes = int (*)(const char*, int, const char*, int, int, int);
  const auto attach = reinterpret_cast<AttachRes>(second.GetProc("SkinH_AttachRes"));
  ASSERT_NE(attach, nullptr);
  EXPECT_EQ(attach("skin bytes", 10, "secret", -30, 40, 50), 1);
  second.Free();
  EXPECT_EQ(Journal(), (std::vector<std::string>{"attach|", "attach|", "detach|",
                                                 "SkinH_AttachRes|skin bytes", "detach|"}));
}

}  // namespace
}  // namespace hosting::skin
