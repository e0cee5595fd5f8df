#pragma once
// One JSON value read and edited by path. Paths are member names joined by '.', with array
// indices in brackets ("data.login_qrcode", "attributes.list[3].money"); an empty path is the
// root and a path beginning with '[' indexes a root array; a path that cannot be parsed reads as
// missing. Nothing of the input is ever executed. Reads never throw: a missing member or a failed
// Parse gives "", 0 or false. Writers never throw for bad input either: a value that is not JSON,
// a path that cannot be parsed or a write that would nest deeper than kMaxDepth changes nothing.
// Members are kept sorted by name (lookups stay logarithmic on hostile answers with huge
// objects). Copies are deep (plain C++ value semantics).

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

  // Replaces the value with the parsed text. False for text that is not JSON (invalid UTF-8 inside
  // strings included: callers sanitize raw answers first), for the JSON null, and for nesting
  // deeper than kMaxDepth; the object then holds no value and every read gives "", 0 or false.
  bool Parse(std::string_view text);
  // Compact JSON of the whole value ("" after a failed Parse). Invalid UTF-8 in strings becomes
  // U+FFFD.
  std::string ToJson() const;

  // The main reader: strings as their characters, booleans as "-1"/"0", integral numbers without
  // a fraction, other numbers as their shortest decimal text; objects and arrays as compact JSON.
  // With asJson every value reads as its compact JSON text. Null or missing reads as "" (a null
  // read as JSON is "null").
  std::string GetText(std::string_view path, bool asJson = false) const;
  // Numbers as they are, booleans as -1/0, a string that is wholly a decimal number as that
  // number; 0 for anything else.
  double GetNumber(std::string_view path) const;
  std::string GetMemberJson(std::string_view path) const;
  // A copy of the value at path; a missing or null value gives an object that holds no value.
  JsonObject GetObject(std::string_view path) const;
  // Array length or member count; 0 for anything else and for a missing path.
  int Count(std::string_view path) const;
  int TypeOf(std::string_view path) const;
  bool Has(std::string_view path) const;
  // Member names of the object at path (sorted by name), or the indices "0".."n-1" of an
  // array; replaces names and returns their number.
  int Keys(std::vector<std::string>& names, std::string_view path = {}) const;

  // Writers take a path like the readers. A missing last member is created when its parent is an
  // object, and an index just past the end of an array appends; other missing targets change
  // nothing. With valueIsJson (or raw) the value is JSON text (an empty one stands for {} in
  // SetMember and SetValue, and changes nothing in SetMemberJson), otherwise a string.
  void SetMember(std::string_view key, std::string_view value, bool valueIsJson = false);
  void SetMemberJson(std::string_view key, std::string_view jsonText);
  void SetMemberNumber(std::string_view key, double number);
  // Pushes value onto the array at path (the root when empty); a non-array is replaced by [].
  void Append(std::string_view value, std::string_view path = {}, bool raw = false);
  JsonObject GetElementObject(int index, std::string_view path = {}) const;
  std::string GetElementText(int index, std::string_view path = {}, bool asJson = false) const;
  // Element index of the root array.
  void SetElement(int index, std::string_view value, bool raw = false);
  // Removes one element of the root array; a negative index counts from the end.
  void RemoveAt(int index);
  // For a path "P[i]..." removes element i of the array P; paths without an index change nothing.
  void RemoveByPath(std::string_view path);
  // kind 0 or 4: empty object; 5: empty array; others: nothing.
  void Reset(int kind);
  void SetValue(std::string_view value, bool raw = false);
  void Clear();

 private:
  nlohmann::json value_;  // discarded after a failed Parse
};

}  // namespace hosting::data
