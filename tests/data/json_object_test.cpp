#include "data/json_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hosting::data {
namespace {

// A list answer of the platform's user API, as the hosted-accounts flow reads it.
constexpr std::string_view kListAnswer = R"({
  "success": true,
  "msg": "获取成功",
  "data": [
    {"id": 101, "nickname": "小明", "status": 1, "rate": 0.25, "online": false},
    {"id": 102, "nickname": "Ann \"A\"", "status": 0, "rate": 12.5, "online": true}
  ],
  "attributes": {"total": 2, "withdrawEntityList": [{"money": 1234.0}, {"money": 3.75}]}
})";

JsonObject Parsed(std::string_view text) {
  JsonObject json;
  EXPECT_TRUE(json.Parse(text)) << text;
  return json;
}

std::string Nested(std::size_t depth) {
  return std::string(depth, '[') + std::string(depth, ']');
}

TEST(JsonObjectRead, PathsOverAListAnswer) {
  const JsonObject json = Parsed(kListAnswer);
  EXPECT_EQ(json.GetText("msg"), "获取成功");
  ASSERT_EQ(json.Count("data"), 2);
  std::vector<std::string> ids;
  for (int i = 0; i < json.Count("data"); ++i) {
    ids.push_back(json.GetText("data[" + std::to_string(i) + "].id"));
  }
  EXPECT_EQ(ids, (std::vector<std::string>{"101", "102"}));
  EXPECT_EQ(json.GetText("data[1].nickname"), "Ann \"A\"");
  EXPECT_EQ(json.GetText("attributes.withdrawEntityList[1].money"), "3.75");
  EXPECT_EQ(json.GetText("attributes.withdrawEntityList[0].money"), "1234");
  EXPECT_DOUBLE_EQ(json.GetNumber("data[0].rate"), 0.25);
  EXPECT_EQ(json.GetElementText(1, "data", true),
            R"({"id":102,"nickname":"Ann \"A\"","online":true,"rate":12.5,"status":0})");
}

TEST(JsonObjectRead, ScalarConversions) {
  const JsonObject json = Parsed(
      R"({"t":true,"f":false,"i":1234,"whole":1234.0,"frac":0.1,"big":18446744073709551615,
          "huge":1e20,"tiny":1e-7,"third":0.3333333333333333,"n":null,"num":"12.5","part":"12a"})");
  EXPECT_EQ(json.GetText("t"), "-1");
  EXPECT_EQ(json.GetText("f"), "0");
  EXPECT_EQ(json.GetText("i"), "1234");
  EXPECT_EQ(json.GetText("whole"), "1234");
  EXPECT_EQ(json.GetText("frac"), "0.1");
  EXPECT_EQ(json.GetText("big"), "18446744073709551615");
  EXPECT_EQ(json.GetText("huge"), "100000000000000000000");
  EXPECT_DOUBLE_EQ(std::stod(json.GetText("tiny")), 1e-7);
  EXPECT_EQ(std::stod(json.GetText("third")), 0.3333333333333333);  // round trip, shortest
  EXPECT_EQ(json.GetText("n"), "");
  EXPECT_EQ(json.GetText("n", true), "null");
  EXPECT_EQ(json.GetText("missing"), "");
  EXPECT_EQ(json.GetText("missing", true), "");
  EXPECT_EQ(json.GetNumber("t"), -1);
  EXPECT_EQ(json.GetNumber("num"), 12.5);
  EXPECT_EQ(json.GetNumber("part"), 0);
}

TEST(JsonObjectRead, CountTypeOfAndHas) {
  std::string fifty = R"({"data":[)";
  for (int i = 0; i < 50; ++i) {
    fifty += (i ? "," : "") + std::to_string(i);
  }
  const JsonObject list = Parsed(fifty + R"(],"o":{},"a":[],"s":"abc","n":null})");
  EXPECT_EQ(list.Count("data"), 50);
  EXPECT_EQ(list.Count(""), 5);
  EXPECT_EQ(list.Count("a") + list.Count("o") + list.Count("s"), 0);
  EXPECT_EQ(list.Count("missing.deeper"), 0);
  EXPECT_EQ(list.TypeOf("data"), JsonObject::kArray);
  EXPECT_EQ(list.TypeOf("o"), JsonObject::kObject);
  EXPECT_EQ(list.TypeOf("s"), JsonObject::kString);
  EXPECT_EQ(list.TypeOf("data[3]"), JsonObject::kNumber);
  EXPECT_EQ(list.TypeOf("n"), JsonObject::kNull);
  EXPECT_EQ(list.TypeOf("nothing"), JsonObject::kNull);
  EXPECT_EQ(Parsed("[true]").TypeOf("[0]"), JsonObject::kBoolean);
  EXPECT_TRUE(list.Has("data[49]"));
  EXPECT_FALSE(list.Has("data[50]"));
  EXPECT_FALSE(list.Has("n"));
}

TEST(JsonObjectRead, RootArrayPathsBeginWithABracket) {
  const JsonObject json = Parsed(R"([{"id":"a"},[10,[20,30]]])");
  EXPECT_EQ(json.GetText("[0].id"), "a");
  EXPECT_EQ(json.GetText("[1][1][0]"), "20");
  EXPECT_EQ(json.GetText("[1]", true), "[10,[20,30]]");
  EXPECT_EQ(json.Count(""), 2);
  EXPECT_EQ(json.GetElementText(0, "[1]"), "10");
}

TEST(JsonObjectRead, UnparsablePathsReadAsMissing) {
  const JsonObject json = Parsed(R"({"a":{"b":[1,2]},"":5})");
  for (const char* path : {"a.", ".a", "a..b", "a.b[", "a.b[]", "a.b[x]", "a.b[-1]", "a.b[+1]",
                           "a.b[1", "a.b]", "a.b[1]x", "a.b[99999999999999999999999]", "[", "]"}) {
    EXPECT_EQ(json.GetText(path), "") << path;
    EXPECT_EQ(json.TypeOf(path), JsonObject::kNull) << path;
    EXPECT_FALSE(json.Has(path)) << path;
  }
  EXPECT_EQ(json.GetText("a.b[1]"), "2");
  EXPECT_EQ(json.GetText("a[0]"), "");  // an index into an object
  EXPECT_EQ(json.GetText("a.b.length"), "");
}

TEST(JsonObjectRead, KeysOfObjectsAndArrays) {
  const JsonObject json = Parsed(R"({"b":1,"a":2,"toJSONString":3,"list":["x","y"]})");
  std::vector<std::string> names{"stale"};
  EXPECT_EQ(json.Keys(names), 4);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "list", "toJSONString"}));
  EXPECT_EQ(json.Keys(names, "list"), 2);
  EXPECT_EQ(names, (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(json.Keys(names, "b"), 0);
  EXPECT_TRUE(names.empty());
}

TEST(JsonObjectParse, RefusesWhatIsNotAUsableValue) {
  JsonObject json = Parsed(R"({"ok":1})");
  for (const std::string_view text :
       {"", "null", " null ", "{", "{\"a\":1} x", "{'a':1}", "undefined", "function(){}",
        "{\"a\":1,}", "\"\xff\xfe\"", "{\"a\":\"\xc3\"}"}) {
    EXPECT_FALSE(json.Parse(text)) << text;
    EXPECT_EQ(json.ToJson(), "");
    EXPECT_EQ(json.GetText(""), "");
    EXPECT_EQ(json.GetText("ok"), "");
    EXPECT_EQ(json.Count(""), 0);
    EXPECT_FALSE(json.Has(""));
    EXPECT_EQ(json.GetNumber("ok"), 0);
    json.SetMember("ok", "1");  // no parent to write into
    EXPECT_EQ(json.ToJson(), "");
    ASSERT_TRUE(json.Parse(R"({"ok":1})"));
  }
  EXPECT_TRUE(json.Parse(" \"text\" "));
  EXPECT_EQ(json.GetText(""), "text");
  EXPECT_TRUE(json.Parse("\xEF\xBB\xBF{\"bom\":true}"));
  EXPECT_EQ(json.GetText("bom"), "-1");
}

TEST(JsonObjectParse, NestingIsLimitedWithoutRecursion) {
  JsonObject json;
  EXPECT_TRUE(json.Parse(Nested(JsonObject::kMaxDepth)));
  EXPECT_FALSE(json.Parse(Nested(JsonObject::kMaxDepth + 1)));
  EXPECT_FALSE(json.Parse(Nested(100'000)));
  EXPECT_FALSE(json.Parse(std::string(100'000, '{')));
  EXPECT_EQ(json.ToJson(), "");
  // Brackets inside strings are text, not nesting.
  const std::string text = R"({"s":")" + std::string(100'000, '[') + R"(\"]"})";
  ASSERT_TRUE(json.Parse(text));
  EXPECT_EQ(json.GetText("s").size(), 100'002u);
}

TEST(JsonObjectParse, LargeAnswer) {
  std::string text = "[";
  const std::string row = R"({"id":123456,"nickname":"成员","headimgurl":"http://img/)" +
                          std::string(1000, 'x') + R"("},)";
  while (text.size() < 10'000'000) {
    text += row;
  }
  text.back() = ']';
  JsonObject json;
  ASSERT_TRUE(json.Parse(text));
  const int count = json.Count("");
  EXPECT_GT(count, 9'000);
  EXPECT_EQ(json.GetText("[" + std::to_string(count - 1) + "].nickname"), "成员");

  // One object with a great many members (the benchmark times a larger one).
  std::string wide = "{";
  for (int i = 0; i < 50'000; ++i) {
    wide += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  }
  wide.back() = '}';
  ASSERT_TRUE(json.Parse(wide));
  EXPECT_EQ(json.Count(""), 50'000);
  EXPECT_EQ(json.GetText("k49999"), "49999");
}

TEST(JsonObjectWrite, MembersNumbersAndJson) {
  JsonObject json;
  EXPECT_EQ(json.ToJson(), "{}");
  json.SetMember("name", "it's \\ \"quoted\"\n");
  json.SetMemberNumber("n", 2.5);
  json.SetMember("obj", "", true);
  json.SetMember("obj.inner", R"([1,{"x":null}])", true);
  json.SetMemberJson("bad", "{oops");
  json.SetMember("missing.child", "x");
  EXPECT_EQ(json.ToJson(),
            R"({"n":2.5,"name":"it's \\ \"quoted\"\n","obj":{"inner":[1,{"x":null}]}})");
  EXPECT_EQ(json.GetText("name"), "it's \\ \"quoted\"\n");
  json.SetMember("obj.inner[2]", "appended");
  json.SetMember("obj.inner[9]", "too far");
  json.SetMember("n.sub", "into a number");
  EXPECT_EQ(json.GetText("obj.inner", true), R"([1,{"x":null},"appended"])");
  EXPECT_EQ(json.GetText("n"), "2.5");
}

TEST(JsonObjectWrite, AppendReplacesWhatIsNotAnArray) {
  JsonObject json = Parsed(R"({"s":"text","list":[1]})");
  json.Append("a", "s");
  json.Append("{\"k\":2}", "list", true);
  json.Append("{broken", "list", true);
  json.Append("new", "created");
  EXPECT_EQ(json.ToJson(), R"({"created":["new"],"list":[1,{"k":2}],"s":["a"]})");
  json.Append("7", "", true);
  EXPECT_EQ(json.ToJson(), "[7]");
  json.SetElement(0, "x");
  json.SetElement(1, "[true]", true);
  json.SetElement(5, "gap");
  json.SetElement(-1, "negative");
  EXPECT_EQ(json.ToJson(), R"(["x",[true]])");
}

TEST(JsonObjectWrite, Removing) {
  JsonObject json = Parsed("[1,2,3,4]");
  json.RemoveAt(1);
  json.RemoveAt(-1);
  json.RemoveAt(10);
  EXPECT_EQ(json.ToJson(), "[1,3]");
  ASSERT_TRUE(json.Parse(R"({"a":{"list":[{"x":1},{"x":2},{"x":3}]},"b":[0]})"));
  json.RemoveByPath("a.list[1].x");
  json.RemoveByPath("a.list[7]");
  json.RemoveByPath("a");
  json.RemoveByPath("b[x]");
  EXPECT_EQ(json.ToJson(), R"({"a":{"list":[{"x":1},{"x":3}]},"b":[0]})");
}

TEST(JsonObjectWrite, ResetSetValueClear) {
  JsonObject json = Parsed(R"({"a":1})");
  json.Reset(JsonObject::kArray);
  json.Reset(JsonObject::kString);
  EXPECT_EQ(json.ToJson(), "[]");
  json.SetValue("[1,2]", true);
  EXPECT_EQ(json.GetText("[1]"), "2");
  json.SetValue("[1,", true);
  EXPECT_EQ(json.ToJson(), "[1,2]");
  json.Clear();
  EXPECT_EQ(json.ToJson(), "{}");
}

TEST(JsonObjectWrite, WritesCannotNestPastTheLimit) {
  JsonObject json;
  const std::string deep = Nested(JsonObject::kMaxDepth - 1);
  json.SetMemberJson("a", deep);
  EXPECT_EQ(json.GetText("a", true), deep);
  json.SetMemberJson("b", Nested(JsonObject::kMaxDepth));
  json.Append(deep, "c", true);
  EXPECT_FALSE(json.Has("b"));
  EXPECT_FALSE(json.Has("c"));
}

TEST(JsonObjectWrite, InvalidUtf8NeverThrowsOnOutput) {
  JsonObject json;
  json.SetMember("bytes", "ok\xff\xc3");
  EXPECT_EQ(json.GetText("bytes"), "ok\xff\xc3");
  EXPECT_EQ(json.ToJson(), "{\"bytes\":\"ok\xEF\xBF\xBD\xEF\xBF\xBD\"}");
  EXPECT_EQ(json.GetMemberJson("bytes"), "\"ok\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(JsonObjectCopy, CopiesAndSubObjectsAreIndependent) {
  JsonObject original = Parsed(R"({"data":[{"id":1}],"n":null})");
  JsonObject copy = original;
  copy.SetMember("data[0].id", "changed");
  EXPECT_EQ(original.GetText("data[0].id"), "1");
  JsonObject element = original.GetElementObject(0, "data");
  EXPECT_EQ(element.ToJson(), R"({"id":1})");
  element.Clear();
  EXPECT_EQ(original.GetText("data", true), R"([{"id":1}])");
  EXPECT_EQ(original.GetObject("n").ToJson(), "");
  EXPECT_EQ(original.GetObject("missing").Count(""), 0);
  EXPECT_EQ(original.GetObject("data[0].id").GetText(""), "1");
}

}  // namespace
}  // namespace hosting::data
