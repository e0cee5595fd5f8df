// datas.ini: what the file can hold reads back once set; setting it again changes nothing.
#include "fuzz_support.h"
#include "net/codec.h"
#include "settings/profile_lines.h"

namespace hosting::fuzz {

const std::size_t kFieldCount = 4;

// Text that survives GBK and a line of its own, without blanks around it (reading trims them).
static bool Storable(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == text.npos && !text.starts_with(' ') &&
         !text.ends_with(' ') && !text.starts_with(kFullWidthSpace) &&
         !text.ends_with(kFullWidthSpace) && net::GbkToUtf8(net::Utf8ToGbk(text)) == text;
}

void Fuzz(const Fields& fields) {
  const std::string_view section = fields[0], key = fields[1], value = fields[2], file = fields[3];
  if (const auto found = settings::FindProfileValue(file, section, key)) {
    Require(found->size() <= settings::kMaxProfileValueBytes && IsUtf8(net::GbkToUtf8(*found)),
            "a value is cut to the buffer and reads as UTF-8");
  }
  const std::string gbk = net::Utf8ToGbk(value);
  const std::string written = settings::WithProfileValue(file, section, key, gbk);
  // Names the lines can hold: a key starting with '[' would read as a section.
  if (!section.empty() && !key.empty() && section.find(']') == section.npos &&
      key.find('=') == key.npos && key.front() != '[' && Storable(section) && Storable(key) &&
      Storable(value) && gbk.size() <= settings::kMaxProfileValueBytes) {
    Require(settings::FindProfileValue(written, section, key) == gbk, "a value set is read back");
    Require(settings::WithProfileValue(written, section, key, gbk) == written,
            "setting it again changes nothing");
  }
}

}  // namespace hosting::fuzz
