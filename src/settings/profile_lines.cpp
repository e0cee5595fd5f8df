#include "settings/profile_lines.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "net/codec.h"

namespace hosting::settings {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

struct Line {
  std::string_view text;    // without the line break
  std::string_view ending;  // "\r\n", "\n" or "" for a last line without a break
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  while (!content.empty()) {
    const std::size_t newline = content.find('\n');
    if (newline == std::string_view::npos) {
      lines.push_back({content, {}});
      break;
    }
    const std::size_t textEnd = newline > 0 && content[newline - 1] == '\r' ? newline - 1 : newline;
    lines.push_back({content.substr(0, textEnd), content.substr(textEnd, newline + 1 - textEnd)});
    content.remove_prefix(newline + 1);
  }
  return lines;
}

// Bytes of the GBK character at `at`: a lead byte takes the next byte with it, whatever it is.
std::size_t CharLength(std::string_view gbk, std::size_t at) {
  const auto byte = static_cast<unsigned char>(gbk[at]);
  return byte >= 0x81 && byte <= 0xFE && at + 1 < gbk.size() ? 2 : 1;
}

std::size_t BlankLength(std::string_view gbk, std::size_t at) {
  if (gbk[at] == ' ') {
    return 1;
  }
  return gbk.substr(at, 2) == kFullWidthSpace ? 2 : 0;
}

// Walks the characters, so that the second byte of a character is never taken for a blank.
std::string_view TrimBlanks(std::string_view gbk) {
  std::size_t first = gbk.size();
  std::size_t end = 0;
  for (std::size_t at = 0; at < gbk.size(); at += CharLength(gbk, at)) {
    if (BlankLength(gbk, at) == 0) {
      first = std::min(first, at);
      end = at + CharLength(gbk, at);
    }
  }
  return first < end ? gbk.substr(first, end - first) : std::string_view{};
}

// At most `limit` bytes, without a dangling first half of a character.
std::string_view CutToCharacters(std::string_view gbk, std::size_t limit) {
  std::size_t end = 0;
  while (end < gbk.size() && end + CharLength(gbk, end) <= limit) {
    end += CharLength(gbk, end);
  }
  return gbk.substr(0, end);
}

bool SameName(std::string_view gbkName, std::string_view utf8Name) {
  const std::string name = net::GbkToUtf8(TrimBlanks(gbkName));
  return std::equal(name.begin(), name.end(), utf8Name.begin(), utf8Name.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

// The name inside "[...]" when the line is a section header.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') {
    return std::nullopt;
  }
  std::size_t at = 1;
  while (at < line.size() && line[at] != ']') {
    at += CharLength(line, at);
  }
  return line.substr(1, std::min(at, line.size()) - 1);
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

std::optional<Entry> EntryOf(std::string_view line) {
  const std::size_t equals = line.find('=');  // '=' is never the second byte of a character
  if (equals == std::string_view::npos || SectionName(line)) {
    return std::nullopt;
  }
  return Entry{line.substr(0, equals), line.substr(equals + 1)};
}

// Where a section and its key stand among the lines (indices; lines.size() when missing).
struct Place {
  std::size_t section;
  std::size_t key;
  std::size_t insertAt;  // after the section's last line that is not blank
};

Place Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place{lines.size(), lines.size(), lines.size()};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::optional<std::string_view> name = SectionName(lines[i].text);
    if (place.section < lines.size() && name) {
      break;  // the section ended
    }
    if (place.section == lines.size()) {
      if (name && SameName(*name, section)) {
        place.section = i;
        place.insertAt = i + 1;
      }
      continue;
    }
    const std::optional<Entry> entry = EntryOf(lines[i].text);
    if (entry && SameName(entry->key, key)) {
      place.key = i;
      break;
    }
    if (!TrimBlanks(lines[i].text).empty()) {
      place.insertAt = i + 1;
    }
  }
  return place;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key) {
  const std::vector<Line> lines = SplitLines(content);
  const Place place = Locate(lines, section, key);
  if (place.key == lines.size()) {
    return std::nullopt;
  }
  const std::string_view value = TrimBlanks(EntryOf(lines[place.key].text)->value);
  return std::string(CutToCharacters(value, kMaxProfileValueBytes));
}

std::string WithProfileValue(std::string_view content, std::string_view section,
                             std::string_view key, std::string_view gbkValue) {
  std::vector<Line> lines = SplitLines(content);
  const Place place = Locate(lines, section, key);
  const std::string sectionLine = "[" + net::Utf8ToGbk(section) + "]";
  const std::string entryLine = net::Utf8ToGbk(key) + "=" + std::string(gbkValue);
  if (place.key < lines.size()) {
    lines[place.key].text = entryLine;
  } else if (place.section < lines.size()) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.insertAt), {entryLine, kCrLf});
  } else {
    lines.push_back({sectionLine, kCrLf});
    lines.push_back({entryLine, kCrLf});
  }
  std::string out;
  out.reserve(content.size() + entryLine.size() + sectionLine.size() + 8);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out.append(lines[i].text);
    // A last line without a break gets one when something now follows it.
    out.append(lines[i].ending.empty() && i + 1 < lines.size() ? kCrLf : lines[i].ending);
  }
  return out;
}

}  // namespace hosting::settings
