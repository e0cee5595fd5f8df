// JsonObject's readers agree on any paths (input lines, then members); every JSON reads back.
#include "data/json_object.h"
#include "fuzz_support.h"

const std::size_t hosting::fuzz::kFieldCount = 1;

void hosting::fuzz::Fuzz(const Fields& fields) {
  data::JsonObject json;
  const Fields lines = Pieces(fields[0], "\n", 64);
  std::vector<std::string> paths(lines.begin(), lines.end());  // then member paths breadth first
  const std::size_t firstMember = paths.size();
  if (json.Parse(fields[0]))
    paths.emplace_back("");
  Require(paths.size() > firstMember || json.ToJson().empty(), "a failed Parse holds nothing");
  std::vector<std::string> names;
  for (std::size_t i = 0; i < paths.size() && i < firstMember + 256; ++i) {
    const std::string path = paths[i];
    const int type = json.TypeOf(path), keys = json.Keys(names, path);
    const bool array = type == data::JsonObject::kArray;
    Require(json.Count(path) == (array || type == data::JsonObject::kObject ? keys : 0) &&
                json.Has(path) == (type != data::JsonObject::kNull),
            "Count agrees with Keys and Has with TypeOf");
    static_cast<void>(json.GetText(path) + std::to_string(json.GetNumber(path)));
    // A number beyond a double is infinity, which JSON spells null.
    const std::string text = json.Has(path) ? json.GetText(path, true) : "null";
    data::JsonObject again;
    Require(text == "null" || (again.Parse(text) && again.ToJson() == text), "JSON reads back");
    for (const std::string& name : i < firstMember ? std::vector<std::string>() : names)
      if (array || (!name.empty() && name.find_first_of(".[]") == std::string::npos))
        paths.push_back(array ? path + "[" + name + "]" : path.empty() ? name : path + "." + name);
  }
}
