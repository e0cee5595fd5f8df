// The private-profile lines of datas.ini over any file bytes: the input is a section name, a key,
// a value (UTF-8, as the client passes them) and the file's bytes, cut at NUL bytes. The value is
// looked up, then set and read back: a name and value that the file can hold must come back
// exactly, and setting the value again must change nothing.

#include <string>

#include "app/profile_lines.h"
#include "fuzz_support.h"
#include "net/codec.h"

namespace {

using hosting::fuzz::Require;

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

bool Blank(std::string_view text, bool atEnd) {
  const auto hasBlank = [&](std::string_view blank) {
    return atEnd ? text.ends_with(blank) : text.starts_with(blank);
  };
  return hasBlank(" ") || hasBlank(kFullWidthSpace);
}

// Text that survives the trip through GBK and a line of its own, without blanks around it
// (they are trimmed on reading).
bool Storable(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
         !Blank(text, false) && !Blank(text, true) &&
         hosting::net::GbkToUtf8(hosting::net::Utf8ToGbk(text)) == text;
}

// A section or key name that the lines can hold: storable, not empty, and without the
// characters that end it (a key starting with '[' would read as a section).
bool StorableName(std::string_view name, std::string_view forbidden) {
  return !name.empty() && name.find_first_of(forbidden) == std::string_view::npos && Storable(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fields = hosting::fuzz::Fields(hosting::fuzz::AsText(data, size), 4);
  const std::string_view section = fields[0];
  const std::string_view key = fields[1];
  const std::string_view value = fields[2];
  const std::string_view content = fields[3];

  if (const auto found = hosting::app::FindProfileValue(content, section, key)) {
    Require(found->size() <= hosting::app::kMaxProfileValueBytes, "a value is cut to the buffer",
            *found);
    Require(hosting::fuzz::IsUtf8(hosting::net::GbkToUtf8(*found)), "a value reads as UTF-8",
            *found);
  }
  const std::string gbkValue = hosting::net::Utf8ToGbk(value);
  const std::string written = hosting::app::WithProfileValue(content, section, key, gbkValue);
  if (!StorableName(section, "]") || !StorableName(key, "=") || key.front() == '[' ||
      !Storable(value) || gbkValue.size() > hosting::app::kMaxProfileValueBytes) {
    return 0;
  }
  Require(hosting::app::FindProfileValue(written, section, key) == gbkValue,
          "a value set is read back", gbkValue, written);
  Require(hosting::app::WithProfileValue(written, section, key, gbkValue) == written,
          "setting the same value again changes nothing", written);
  return 0;
}
