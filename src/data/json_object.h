#pragma once
// One JSON value read and edited by path. Paths are member names joined by '.', with array
// indices in brackets ("data.login_qrcode", "attributes.list[3].money"); an empty path is the
// root and a path beginning with '[' indexes a root array. Nothing of the input is ever executed.
// Reads never throw: a missing member or a failed Parse gives "", 0 or false.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace hosting::data {

class JsonObject {
 public:
  // Type codes of TypeOf.
  enum Type : int {
    kNull = 0,
    kBoolean = 1,
    kNumber = 2,
    kObject = 4,
    kArray = 5,
    kString = 6,
    kOther = -1
  };
  static constexpr int kMaxDepth = 512;  // deeper input is refused by Parse

  JsonObject();  // holds an empty object

  // Replaces the value with the parsed text. False (and the value null) for text that is not
  // JSON, for the JSON null, and for nesting deeper than kMaxDepth.
  bool Parse(std::string_view text);
  // Compact JSON of the whole value.
  std::string ToJson() const;

  // The main reader: strings as their characters, booleans as "-1"/"0", integral numbers without
  // a fraction, other numbers as their shortest decimal text; objects and arrays as compact JSON.
  // With asJson every value reads as its compact JSON text.
  std::string GetText(std::string_view path, bool asJson = false) const;
  double GetNumber(std::string_view path) const;
  std::string GetMemberJson(std::string_view path) const;
  JsonObject GetObject(std::string_view path) const;
  // Array length or member count; 0 for anything else and for a missing path.
  int Count(std::string_view path) const;
  int TypeOf(std::string_view path) const;
  bool Has(std::string_view path) const;
  // Member names of the object at path (in document order); returns their number.
  int Keys(std::vector<std::string>& names, std::string_view path = {}) const;

  void SetMember(std::string_view key, std::string_view value, bool valueIsJson = false);
  void SetMemberJson(std::string_view key, std::string_view jsonText);
  void SetMemberNumber(std::string_view key, double number);
  // Pushes value onto the array at path (the root when empty); a non-array is replaced by [].
  void Append(std::string_view value, std::string_view path = {}, bool raw = false);
  JsonObject GetElementObject(int index, std::string_view path = {}) const;
  std::string GetElementText(int index, std::string_view path = {}, bool asJson = false) const;
  void SetElement(int index, std::string_view value, bool raw = false);
  void RemoveAt(int index);
  void RemoveByPath(std::string_view path);
  // kind 0 or 4: empty object; 5: empty array; others: nothing.
  void Reset(int kind);
  void SetValue(std::string_view value, bool raw = false);
  void Clear();

 private:
  nlohmann::json value_;
};

}  // namespace hosting::data
