#include "data/json_object.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <span>

#include "data/json_path.h"

namespace hosting::data {
namespace {

using Json = nlohmann::json;

Json Missing() {
  return Json(Json::value_t::discarded);
}

// True when no object or array in text nests deeper than limit. Counted in one pass without
// recursion, skipping strings, so that the (recursive) copy and dump of the parsed tree stay
// shallow whatever the network sends.
bool NestsWithin(std::string_view text, std::size_t limit) {
  std::size_t depth = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) {
        return false;
      }
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return true;
}

// Parsed JSON text nesting at most maxDepth deep; discarded otherwise.
Json ParseWithin(std::string_view text, std::size_t maxDepth) {
  if (!NestsWithin(text, maxDepth)) {
    return Missing();
  }
  return Json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
}

// A value to store at nesting depth `depth`: JSON text when raw, else a string; discarded when
// the text is not JSON or the result would nest deeper than kMaxDepth.
Json MakeValue(std::string_view text, bool raw, std::size_t depth) {
  const auto limit = static_cast<std::size_t>(JsonObject::kMaxDepth);
  if (depth > limit) {
    return Missing();
  }
  return raw ? ParseWithin(text, limit - depth) : Json(std::string(text));
}

template <class J>
J* Child(J& node, const PathStep& step) {
  if (step.isIndex) {
    return node.is_array() && step.index < node.size() ? &node[step.index] : nullptr;
  }
  if (!node.is_object()) {
    return nullptr;
  }
  const auto found = node.find(step.name);
  return found == node.end() ? nullptr : &*found;
}

template <class J>
J* Walk(J& root, std::span<const PathStep> steps) {
  J* node = root.is_discarded() ? nullptr : &root;
  for (const PathStep& step : steps) {
    if (node == nullptr) {
      break;
    }
    node = Child(*node, step);
  }
  return node;
}

// The value at path for reading; nullptr when missing or when the path cannot be parsed. Walks
// the path text directly: this is what every flow does per field, so it does not allocate.
const Json* Find(const Json& root, std::string_view path) {
  const Json* node = root.is_discarded() ? nullptr : &root;
  PathReader reader(path);
  PathStep step;
  while (node != nullptr && reader.Next(step)) {
    node = Child(*node, step);
  }
  return reader.failed() ? nullptr : node;
}

// The value at steps for writing; a missing last member of an object is created and an index
// just past the end of an array appends. nullptr when the parent is missing or of another kind.
Json* Resolve(Json& root, std::span<const PathStep> steps) {
  if (steps.empty()) {
    return &root;
  }
  Json* parent = Walk(root, steps.first(steps.size() - 1));
  if (parent == nullptr) {
    return nullptr;
  }
  const PathStep& last = steps.back();
  if (!last.isIndex) {
    return parent->is_object() ? &(*parent)[std::string(last.name)] : nullptr;
  }
  if (!parent->is_array() || last.index > parent->size()) {
    return nullptr;
  }
  if (last.index == parent->size()) {
    parent->push_back(nullptr);
  }
  return &(*parent)[last.index];
}

std::string Dump(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Integral values below 1e21 in plain digits (as a script engine prints them), everything else
// in the shortest text that reads back as the same double.
std::string NumberText(double number) {
  char buffer[64];
  std::to_chars_result result{};
  if (number == 0) {
    return "0";
  }
  if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e21) {
    result = std::to_chars(std::begin(buffer), std::end(buffer), number, std::chars_format::fixed);
  } else {
    result = std::to_chars(std::begin(buffer), std::end(buffer), number);
  }
  return std::string(buffer, result.ptr);
}

std::string ScalarText(const Json& value) {
  switch (value.type()) {
    case Json::value_t::string:
      return value.get_ref<const std::string&>();
    case Json::value_t::boolean:
      return value.get<bool>() ? "-1" : "0";
    case Json::value_t::number_integer:
      return std::to_string(value.get<std::int64_t>());
    case Json::value_t::number_unsigned:
      return std::to_string(value.get<std::uint64_t>());
    case Json::value_t::number_float:
      return NumberText(value.get<double>());
    case Json::value_t::object:
    case Json::value_t::array:
      return Dump(value);
    default:
      return {};
  }
}

double StringNumber(const std::string& text) {
  double number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  return error == std::errc() && stop == end ? number : 0;
}

}  // namespace

JsonObject::JsonObject() : value_(Json::object()) {}

bool JsonObject::Parse(std::string_view text) {
  value_ = ParseWithin(text, kMaxDepth);
  if (value_.is_null()) {
    value_ = Missing();
  }
  return !value_.is_discarded();
}

std::string JsonObject::ToJson() const {
  return value_.is_discarded() ? "" : Dump(value_);
}

std::string JsonObject::GetText(std::string_view path, bool asJson) const {
  const Json* node = Find(value_, path);
  if (node == nullptr) {
    return {};
  }
  return asJson ? Dump(*node) : ScalarText(*node);
}

double JsonObject::GetNumber(std::string_view path) const {
  const Json* node = Find(value_, path);
  if (node == nullptr) {
    return 0;
  }
  if (node->is_number()) {
    return node->get<double>();
  }
  if (node->is_boolean()) {
    return node->get<bool>() ? -1 : 0;
  }
  return node->is_string() ? StringNumber(node->get_ref<const std::string&>()) : 0;
}

std::string JsonObject::GetMemberJson(std::string_view path) const {
  return GetText(path, true);
}

JsonObject JsonObject::GetObject(std::string_view path) const {
  JsonObject result;
  const Json* node = Find(value_, path);
  result.value_ = node != nullptr && !node->is_null() ? *node : Missing();
  return result;
}

int JsonObject::Count(std::string_view path) const {
  const Json* node = Find(value_, path);
  if (node == nullptr || !(node->is_array() || node->is_object())) {
    return 0;
  }
  return static_cast<int>(std::min<std::size_t>(node->size(), INT32_MAX));
}

int JsonObject::TypeOf(std::string_view path) const {
  const Json* node = Find(value_, path);
  if (node == nullptr) {
    return kNull;
  }
  switch (node->type()) {
    case Json::value_t::boolean:
      return kBoolean;
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
      return kNumber;
    case Json::value_t::object:
      return kObject;
    case Json::value_t::array:
      return kArray;
    case Json::value_t::string:
      return kString;
    case Json::value_t::null:
      return kNull;
    default:
      return kOther;
  }
}

bool JsonObject::Has(std::string_view path) const {
  const Json* node = Find(value_, path);
  return node != nullptr && !node->is_null();
}

int JsonObject::Keys(std::vector<std::string>& names, std::string_view path) const {
  names.clear();
  const Json* node = Find(value_, path);
  if (node == nullptr) {
    return 0;
  }
  if (node->is_object()) {
    for (const auto& member : node->items()) {
      names.push_back(member.key());
    }
  } else if (node->is_array()) {
    for (std::size_t i = 0; i < node->size(); ++i) {
      names.push_back(std::to_string(i));
    }
  }
  return static_cast<int>(names.size());
}

void JsonObject::SetMember(std::string_view key, std::string_view value, bool valueIsJson) {
  const auto steps = SplitPath(key);
  if (!steps) {
    return;
  }
  const std::string_view text = valueIsJson && value.empty() ? "{}" : value;
  Json item = MakeValue(text, valueIsJson, steps->size());
  Json* slot = item.is_discarded() ? nullptr : Resolve(value_, *steps);
  if (slot != nullptr) {
    *slot = std::move(item);
  }
}

void JsonObject::SetMemberJson(std::string_view key, std::string_view jsonText) {
  if (!jsonText.empty()) {
    SetMember(key, jsonText, true);
  }
}

void JsonObject::SetMemberNumber(std::string_view key, double number) {
  const auto steps = SplitPath(key);
  Json* slot = steps ? Resolve(value_, *steps) : nullptr;
  if (slot != nullptr) {
    *slot = number;
  }
}

void JsonObject::Append(std::string_view value, std::string_view path, bool raw) {
  const auto steps = SplitPath(path);
  if (!steps) {
    return;
  }
  Json item = MakeValue(value, raw, steps->size() + 1);
  Json* target = item.is_discarded() ? nullptr : Resolve(value_, *steps);
  if (target == nullptr) {
    return;
  }
  if (!target->is_array()) {
    *target = Json::array();
  }
  target->push_back(std::move(item));
}

JsonObject JsonObject::GetElementObject(int index, std::string_view path) const {
  return GetObject(std::string(path) + '[' + std::to_string(index) + ']');
}

std::string JsonObject::GetElementText(int index, std::string_view path, bool asJson) const {
  return GetText(std::string(path) + '[' + std::to_string(index) + ']', asJson);
}

void JsonObject::SetElement(int index, std::string_view value, bool raw) {
  if (index >= 0) {
    SetMember('[' + std::to_string(index) + ']', value, raw);
  }
}

void JsonObject::RemoveAt(int index) {
  if (!value_.is_array()) {
    return;
  }
  const auto size = static_cast<std::ptrdiff_t>(value_.size());
  const std::ptrdiff_t at = index < 0 ? std::max<std::ptrdiff_t>(size + index, 0) : index;
  if (at < size) {
    value_.erase(static_cast<std::size_t>(at));
  }
}

void JsonObject::RemoveByPath(std::string_view path) {
  const auto steps = SplitPath(path);
  if (!steps) {
    return;
  }
  const auto index =
      std::find_if(steps->begin(), steps->end(), [](const PathStep& step) { return step.isIndex; });
  if (index == steps->end()) {
    return;
  }
  const auto parentSteps = std::span<const PathStep>(steps->begin(), index);
  Json* parent = Walk(value_, parentSteps);
  if (parent != nullptr && parent->is_array() && index->index < parent->size()) {
    parent->erase(index->index);
  }
}

void JsonObject::Reset(int kind) {
  if (kind == kNull || kind == kObject) {
    value_ = Json::object();
  } else if (kind == kArray) {
    value_ = Json::array();
  }
}

void JsonObject::SetValue(std::string_view value, bool raw) {
  SetMember({}, value, raw);
}

void JsonObject::Clear() {
  value_ = Json::object();
}

}  // namespace hosting::data
