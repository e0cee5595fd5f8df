// JsonObject's exact answers; the json fuzz target checks that its readers agree on any input.
#include "data/json_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      "n":null,"num":"12.5","part":"12a","o":{},"":5})"));
  const auto read = [&](std::string_view path) { return json.GetText(path) + "|"; };
  EXPECT_EQ(read("msg") + read("data[1].id") + read("data[1].nick") + read("data[0]"),
            R"(获取成功|102|Ann "A"|{"id":101,"rate":0.25}|)");
  EXPECT_EQ(read("a.list[1].money") + read("a.list[0].money") + read("t") + read("f"),
            "3.75|1234|-1|0|");
  EXPECT_EQ(read("big") + read("huge") + read("third"),
            "18446744073709551615|100000000000000000000|0.3333333333333333|");
  EXPECT_EQ(read("n") + read("missing") + read("a[0]") + read("data.length"), "||||");
  EXPECT_EQ(json.GetText("n", true) + json.GetText("missing", true), "null");
  EXPECT_EQ(json.GetElementText(1, "data", true), R"({"id":102,"nick":"Ann \"A\"","on":true})");
  EXPECT_EQ(json.GetNumber("data[0].rate") + json.GetNumber("t") + json.GetNumber("num") +
                json.GetNumber("part"),
            11.75);
  EXPECT_EQ(json.Count("data") * 100 + json.Count("") * 10 + json.Count("o") + json.Count("msg"),
            330);
  std::string types;  // array 5, object 4, string 6, number 2, boolean 1, null 0
  for (const char* path : {"data", "o", "msg", "data[0].id", "t", "n", "nothing"})
    types += std::to_string(json.TypeOf(path));
  EXPECT_EQ(types, "5462100");
  EXPECT_TRUE(json.Has("data[1]") && !json.Has("data[2]") && !json.Has("n"));
  std::vector<std::string> names{"stale"}, indices;
  EXPECT_EQ(json.Keys(names, "data[1]") + json.Keys(indices, "data"), 5);
  EXPECT_EQ(names, (std::vector<std::string>{"id", "nick", "on"}));
  EXPECT_EQ(indices, (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(json.Keys(names, "t") + static_cast<int>(names.size()), 0);
  ASSERT_TRUE(json.Parse(R"([{"id":"a"},[10,[20,30]]])"));
  EXPECT_EQ(json.GetText("[0].id") + json.GetText("[1][1][0]") + json.GetText("[1]", true),
            "a20[10,[20,30]]");
  EXPECT_EQ(json.GetElementText(0, "[1]"), "10");
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

TEST(JsonObjectWrite, MembersArraysAndRemovals) {
  JsonObject json;
  const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD
  json.SetMember("name", "it's \\ \"q\"\n\xff");
  json.SetMemberNumber("n", 2.5);
  json.SetMember("obj", "", true);
  json.SetMember("obj.inner", R"([1,{"x":null}])", true);
  json.SetMemberJson("bad", "{oops");
  json.SetMember("missing.child", "x");
  json.SetMember("obj.inner[2]", "appended");
  json.SetMember("obj.inner[9]", "too far");
  json.SetMember("n.sub", "into a number");
  json.SetMemberJson("deep", Nested(JsonObject::kMaxDepth - 1));
  json.SetMemberJson("deeper", Nested(JsonObject::kMaxDepth));
  json.Append(Nested(JsonObject::kMaxDepth - 1), "deepest", true);
  EXPECT_EQ(json.GetText("name"), "it's \\ \"q\"\n\xff");  // as set; its JSON mends the byte
  EXPECT_EQ(json.GetMemberJson("obj"), R"({"inner":[1,{"x":null},"appended"]})");
  json.RemoveByPath("deep");  // only an indexed path removes, and the whole element
  json.RemoveByPath("obj.inner[1].x");
  json.RemoveByPath("obj.inner[7]");
  EXPECT_EQ(json.ToJson(), R"({"deep":)" + Nested(JsonObject::kMaxDepth - 1) +
                               R"(,"n":2.5,"name":"it's \\ \"q\"\n)" + kBad +
                               R"(","obj":{"inner":[1,"appended"]}})");
  ASSERT_TRUE(json.Parse(R"({"s":"text","list":[1]})"));
  json.Append("a", "s");
  json.Append("{\"k\":2}", "list", true);
  json.Append("{broken", "list", true);
  json.Append("new", "created");
  EXPECT_EQ(json.ToJson(), R"({"created":["new"],"list":[1,{"k":2}],"s":["a"]})");
  json.Reset(JsonObject::kArray);
  json.Reset(JsonObject::kString);
  json.SetElement(0, "x");
  json.SetElement(1, "[true]", true);
  json.SetElement(5, "gap");
  json.SetElement(-1, "negative");
  json.Append("7", "", true);
  json.Append("8", "", true);
  json.RemoveAt(-1);
  json.RemoveAt(10);
  json.RemoveAt(1);
  EXPECT_EQ(json.ToJson(), R"(["x",7])");
  json.SetValue("[1,2]", true);
  json.SetValue("[1,", true);
  EXPECT_EQ(json.GetText("[1]"), "2");
  json.Clear();
  EXPECT_EQ(json.ToJson(), "{}");
}

}  // namespace
}  // namespace hosting::data
