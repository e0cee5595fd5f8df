#pragma once
// Builds small PE32 DLL images in memory for the loader's tests: headers, data sections, and on
// request an export directory, an import descriptor and a relocation block, each in a section of
// its own. File alignment 0x200, section alignment 0x1000.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace hosting::skin::test {

struct PeImage {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint32_t> importSlots;  // RVA of each imported function's address slot
  std::uint32_t sizeOfImage = 0;

  // Offsets of header fields, for tests that damage them.
  static constexpr std::size_t kPeOffset = 0x80;
  static constexpr std::size_t kOptionalHeader = kPeOffset + 24;
  static constexpr std::size_t kSectionTable = kOptionalHeader + 224;
};

class PeBuilder {
 public:
  static constexpr std::uint32_t kSectionAlignment = 0x1000;
  static constexpr std::uint32_t kFileAlignment = 0x200;

  PeBuilder& ImageBase(std::uint32_t base);
  PeBuilder& Characteristics(std::uint16_t characteristics);
  // A data section; it is placed at the RVA that the call returns. `virtualSize` 0 means the
  // size of `data`.
  std::uint32_t AddSection(std::vector<std::uint8_t> data, std::uint32_t virtualSize = 0);
  PeBuilder& Export(std::string name, std::uint32_t rva);
  // An imported function by name, or by ordinal when `name` is empty.
  PeBuilder& Import(std::string library, std::string name, std::uint16_t ordinal = 0);
  // A relocation entry of `type` (3 is HIGHLOW) for the place at `rva`.
  PeBuilder& Relocation(std::uint32_t rva, std::uint16_t type = 3);

  [[nodiscard]] PeImage Build() const;

 private:
  struct Section {
    std::vector<std::uint8_t> data;
    std::uint32_t virtualSize = 0;
  };
  struct ImportEntry {
    std::string library;
    std::string name;
    std::uint16_t ordinal = 0;
  };

  [[nodiscard]] std::uint32_t NextRva(const std::vector<Section>& sections) const;
  [[nodiscard]] std::vector<std::uint8_t> ExportSection(std::uint32_t rva) const;
  [[nodiscard]] std::vector<std::uint8_t> ImportSection(std::uint32_t rva,
                                                        std::vector<std::uint32_t>& slots) const;
  [[nodiscard]] std::vector<std::uint8_t> RelocationSection() const;

  std::uint32_t imageBase_ = 0x10000000;
  std::uint16_t characteristics_ = 0x2102;  // DLL, 32-bit machine, executable
  std::vector<Section> sections_;
  std::vector<std::pair<std::string, std::uint32_t>> exports_;
  std::vector<ImportEntry> imports_;
  std::vector<std::pair<std::uint32_t, std::uint16_t>> relocations_;
};

// Little-endian writes into a byte vector, growing it as needed.
void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value);
void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);

}  // namespace hosting::skin::test
