#pragma once
// Builds small PE32 DLL images in memory for the loader's tests: one section holding the data the
// test adds, then on request an export directory, an import directory and relocation blocks. The
// section starts at RVA 0x1000 and follows the 0x400 bytes of headers in the file.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace hosting::skin::test {

struct PeImage {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint32_t> importSlots;  // RVA of each import's address slot, in call order
  std::array<std::uint32_t, 16> directoryRva{};
  std::uint32_t sizeOfImage = 0;

  static constexpr std::size_t kPeOffset = 0x80;
  static constexpr std::size_t kOptionalHeader = kPeOffset + 24;
  static constexpr std::size_t kSectionTable = kOptionalHeader + 224;
  static constexpr std::size_t FileOffset(std::uint32_t rva) { return rva - 0xC00; }
};

class PeBuilder {
 public:
  std::uint32_t imageBase = 0x10000000;
  std::uint16_t characteristics = 0x2102;  // DLL, 32-bit machine, executable

  // Appends `data` to the section (at a multiple of four) and gives its RVA.
  std::uint32_t Add(const std::vector<std::uint8_t>& data);
  PeBuilder& Export(std::string name, std::uint32_t rva);
  // An imported function by name, or by ordinal when `name` is empty.
  PeBuilder& Import(std::string library, std::string name, std::uint16_t ordinal = 0);
  // A relocation entry of `type` (3 is HIGHLOW) for the place at `rva`.
  PeBuilder& Relocation(std::uint32_t rva, std::uint16_t type = 3);

  [[nodiscard]] PeImage Build() const;

 private:
  struct ImportEntry {
    std::string library, name;
    std::uint16_t ordinal;
  };
  [[nodiscard]] std::uint32_t End() const;
  void Set(std::uint32_t rva, std::uint32_t value, int bytes = 4);
  std::uint32_t AddText(const std::string& text);
  void AddExports();
  void AddImports(std::vector<std::uint32_t>& slots);
  void AddRelocations();

  std::vector<std::uint8_t> section_;
  std::vector<std::pair<std::string, std::uint32_t>> exports_;
  std::vector<ImportEntry> imports_;
  std::vector<std::pair<std::uint32_t, std::uint16_t>> relocations_;
};

// Little-endian write into a byte vector, growing it as needed.
void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size = 4);

}  // namespace hosting::skin::test
