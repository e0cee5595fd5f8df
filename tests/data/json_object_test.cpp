// JsonObject's exact answers; the json fuzz target checks that its readers agree on any input.
#include "data/json_object.h"

#include <gtest/gtest.h>

#include <string>

namespace hosting::data {
namespace {

using namespace std::string_literals;

std::string Nested(std::size_t n) {
  return std::string(n, '[') + std::string(n, ']');
}

TEST(JsonObjectRead, PathsScalarsRootArraysAndUnparsablePaths) {
  JsonObject json;
  ASSERT_TRUE(json.Parse(R"({"msg":"获取成功","data":[{"id":101,"rate":0.25},
      {"id":102,"nick":"Ann \"A\"","on":true}],"a":{"list":[{"money":1234.0},{"money":3.75}]},
      "t":true,"f":false,"big":18446744073709551615,"huge":1e20,"third":0.3333333333333333,
      "n":null,"o":{},"":5})"));
  const auto read = [&](std::string_view path) { return json.GetText(path) + "|"; };
  EXPECT_EQ(read("msg") + read("data[1].id") + read("data[1].nick") + read("data[0]"),
            R"(获取成功|102|Ann "A"|{"id":101,"rate":0.25}|)");
  EXPECT_EQ(read("a.list[1].money") + read("a.list[0].money") + read("t") + read("f"),
            "3.75|1234|-1|0|");
  EXPECT_EQ(read("big") + read("huge") + read("third"),
            "18446744073709551615|100000000000000000000|0.3333333333333333|");
  EXPECT_EQ(read("n") + read("missing") + read("a[0]") + read("data.length"), "||||");
  EXPECT_EQ(json.Count("data") * 100 + json.Count("") * 10 + json.Count("o") + json.Count("msg"),
            310);
  std::string types;  // array 5, object 4, string 6, number 2, boolean 1, null 0
  for (const char* path : {"data", "o", "msg", "data[0].id", "t", "n", "nothing"})
    types += std::to_string(json.TypeOf(path));
  EXPECT_EQ(types, "5462100");
  ASSERT_TRUE(json.Parse(R"([{"id":"a"},[10,[20,30]]])"));
  EXPECT_EQ(json.GetText("[0].id") + json.GetText("[1][1][0]") + json.GetText("[1]", true),
            "a20[10,[20,30]]");
  for (const char* path : {"[0].", ".a", "[0]..id", "[1][", "[1][]", "[1][x]", "[1][-1]", "[1][+1]",
                           "[1][1", "[1]]", "[1][0]x", "[99999999999999999999]", "[", "]"})
    EXPECT_TRUE(json.GetText(path, true).empty() && !json.Has(path)) << path;
}

TEST(JsonObjectParse, RefusesWhatIsNotAUsableValueAndNestsWithoutRecursion) {
  JsonObject json;
  for (const std::string& text :
       {""s, "null"s, " null "s, "{"s, "{\"a\":1} x"s, "{'a':1}"s, "undefined"s, "{\"a\":1,}"s,
        "\"\xff\xfe\""s, "{\"a\":\"\xc3\"}"s, Nested(JsonObject::kMaxDepth + 1), Nested(100'000),
        std::string(100'000, '{')}) {
    ASSERT_TRUE(json.Parse(R"({"ok":1})"));
    EXPECT_FALSE(json.Parse(text)) << text.substr(0, 20);
    json.SetMember("ok", "1");  // no parent to write into
    EXPECT_EQ(json.ToJson() + json.GetText("ok") + std::to_string(json.Count("")), "0");
  }
  EXPECT_TRUE(json.Parse(Nested(JsonObject::kMaxDepth)));
  EXPECT_TRUE(json.Parse("\xEF\xBB\xBF \"text\" ") && json.GetText("") == "text");
  // Brackets inside strings are text, not nesting.
  ASSERT_TRUE(json.Parse(R"({"s":")" + std::string(100'000, '[') + R"(\"]"})"));
  EXPECT_EQ(json.GetText("s").size(), 100'002u);
}

// No caller writes yet; what the writers promise is their safety: a string value stays text, and
// a write that is not JSON, nests past kMaxDepth or has no place to go changes nothing.
TEST(JsonObjectWrite, ValuesStayTextAndBadWritesChangeNothing) {
  JsonObject json;
  json.SetMember("name", "x\",\"n\":1}\xff");
  json.SetMember("list", "[1,2]", true);
  json.SetMember("list[1]", "x");  // in place
  json.SetMemberJson("deep", Nested(JsonObject::kMaxDepth - 1));
  const std::string before = json.ToJson();
  EXPECT_EQ(before, R"({"deep":)" + Nested(JsonObject::kMaxDepth - 1) +
                        R"(,"list":[1,"x"],"name":"x\",\"n\":1})" + "\xEF\xBF\xBD\"}");
  json.SetMemberJson("bad", "{oops");
  json.SetMemberJson("deeper", Nested(JsonObject::kMaxDepth));
  json.Append(Nested(JsonObject::kMaxDepth - 1), "list", true);
  json.Append("{broken", "list", true);
  json.SetMember("missing.child", "x");
  json.SetMember("list[3]", "too far");
  json.SetMember("name.sub", "into a string");
  EXPECT_EQ(json.ToJson(), before);
  EXPECT_EQ(json.GetText("name") + json.GetText("n"), "x\",\"n\":1}\xff");
}

}  // namespace
}  // namespace hosting::data
