// JsonObject over any bytes: Parse, then the readers over paths taken from the input's lines and
// over every member path of the parsed value. Checks that the readers agree with each other and
// that the compact JSON reads back to itself.

#include <deque>
#include <string>
#include <vector>

#include "data/json_object.h"
#include "fuzz_support.h"

namespace {

using hosting::data::JsonObject;
using hosting::fuzz::Require;

constexpr std::size_t kMaxLinePaths = 64;
constexpr std::size_t kMaxMemberPaths = 256;

// Every reader once; none may throw or crash, whatever the path.
void ReadAll(const JsonObject& json, std::string_view path) {
  const int type = json.TypeOf(path);
  Require(type >= JsonObject::kOther && type <= JsonObject::kString, "TypeOf gives a type code",
          path);
  Require(json.Count(path) >= 0, "Count is never negative", path);
  const std::string text = json.GetText(path);
  const std::string asJson = json.GetText(path, true);
  Require(!json.Has(path) || !asJson.empty(), "a present value reads as JSON", path);
  static_cast<void>(json.GetNumber(path));
}

// A name that a path can spell: not empty, without '.', '[' or ']'.
bool Spellable(std::string_view name) {
  return !name.empty() && name.find_first_of(".[]") == std::string_view::npos;
}

// The readers of one member path, checked against each other.
void CheckMember(const JsonObject& json, const std::string& path) {
  ReadAll(json, path);
  const int type = json.TypeOf(path);
  std::vector<std::string> names;
  const int keys = json.Keys(names, path);
  const bool container = type == JsonObject::kObject || type == JsonObject::kArray;
  Require(json.Count(path) == (container ? keys : 0), "Count agrees with Keys", path);
  Require(json.Has(path) == (type != JsonObject::kNull), "Has agrees with TypeOf", path);
  if (type == JsonObject::kNull) {
    return;
  }
  const std::string asJson = json.GetText(path, true);
  Require(json.GetObject(path).ToJson() == asJson, "GetObject holds the value at the path", path,
          asJson);
  // A number beyond the range of a double is kept as infinity, which JSON spells null.
  JsonObject reread;
  Require(asJson == "null" || (reread.Parse(asJson) && reread.ToJson() == asJson),
          "a member's JSON reads back", path, asJson);
}

// The paths of the value's members, breadth first, as far as names can be spelled.
std::vector<std::string> MemberPaths(const JsonObject& json) {
  std::vector<std::string> paths;
  std::deque<std::string> pending{""};
  std::vector<std::string> names;
  while (!pending.empty() && paths.size() < kMaxMemberPaths) {
    const std::string parent = std::move(pending.front());
    pending.pop_front();
    const bool array = json.TypeOf(parent) == JsonObject::kArray;
    json.Keys(names, parent);
    for (const std::string& name : names) {
      if (array) {
        pending.push_back(parent + "[" + name + "]");
      } else if (Spellable(name)) {
        pending.push_back(parent.empty() ? name : parent + "." + name);
      }
    }
    paths.push_back(parent);
  }
  return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = hosting::fuzz::AsText(data, size);
  JsonObject json;
  const bool parsed = json.Parse(text);
  for (const std::string_view line : hosting::fuzz::Pieces(text, "\n", kMaxLinePaths)) {
    ReadAll(json, line);
  }
  if (!parsed) {
    Require(json.ToJson().empty() && json.Count({}) == 0, "a failed Parse holds nothing", text);
    return 0;
  }
  for (const std::string& path : MemberPaths(json)) {
    CheckMember(json, path);
  }
  const std::string compact = json.ToJson();
  JsonObject again;
  Require(compact == "null" || (again.Parse(compact) && again.ToJson() == compact),
          "the compact JSON reads back to itself", compact, again.ToJson());
  return 0;
}
