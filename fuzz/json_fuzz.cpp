// JsonObject over any bytes: Parse, the readers over paths taken from the input's lines, then
// the member paths of the parsed value, whose readers must agree and whose JSON reads back.
#include <deque>

#include "data/json_object.h"
#include "fuzz_support.h"

using hosting::data::JsonObject;
using hosting::fuzz::Require;

// A value's JSON reads back as itself (a number beyond a double is infinity, which JSON spells
// null).
static void RequireReadsBack(const std::string& text) {
  JsonObject again;
  Require(text == "null" || (again.Parse(text) && again.ToJson() == text), "JSON reads back", text);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = hosting::fuzz::Fields(data, size, 1)[0];
  JsonObject json;
  std::deque<std::string> paths;  // the input's lines first, then member paths breadth first
  for (const std::string_view line : hosting::fuzz::Pieces(text, "\n", 64)) {
    paths.emplace_back(line);
  }
  const std::size_t memberPathsFrom = json.Parse(text) ? paths.size() : 0;
  Require(memberPathsFrom > 0 || json.ToJson().empty(), "a failed Parse holds nothing", text);
  paths.emplace_back(memberPathsFrom > 0 ? "" : "-");
  std::vector<std::string> names;
  for (std::size_t i = 0; i < paths.size() && i < memberPathsFrom + 256; ++i) {
    const std::string path = paths[i];
    const int type = json.TypeOf(path);
    const bool array = type == JsonObject::kArray;
    const int keys = json.Keys(names, path);
    Require(json.Count(path) == (array || type == JsonObject::kObject ? keys : 0),
            "Count agrees with Keys", path);
    Require(json.Has(path) == (type != JsonObject::kNull), "Has agrees with TypeOf", path);
    static_cast<void>(json.GetText(path) + std::to_string(json.GetNumber(path)));
    if (i < memberPathsFrom) {
      continue;
    }
    RequireReadsBack(json.Has(path) ? json.GetText(path, true) : "null");
    for (const std::string& name : names) {
      if (array || (!name.empty() && name.find_first_of(".[]") == std::string::npos)) {
        paths.push_back(array ? path + "[" + name + "]" : path.empty() ? name : path + "." + name);
      }
    }
  }
  RequireReadsBack(memberPathsFrom > 0 ? json.ToJson() : "null");
  return 0;
}
