// The JSON of the headless state: the text written, reading it back, equality as
// `expect` compares, and path lookup.
#include <gtest/gtest.h>

#include "headless/json_path.h"
#include "headless/json_value.h"

namespace shirakaba {
namespace {

Json parsed(std::string_view text) {
  const Result<Json> r = parseJsonText(text);
  EXPECT_TRUE(r) << text << ": " << r.error();
  return r ? r.value() : Json();
}

TEST(ReplayJson, TextIsCompactUtf8WithEscapedControls) {
  EXPECT_EQ(toJsonText(Json("a\"b\\c")), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(toJsonText(Json("line\nfeed\r\t")), "\"line\\nfeed\\r\\t\"");
  EXPECT_EQ(toJsonText(Json(std::string("a\0b\x1f", 4))), "\"a\\u0000b\\u001f\"");
  EXPECT_EQ(toJsonText(Json("はじめる\xF0\x9F\x98\x80")), "\"はじめる\xF0\x9F\x98\x80\"");  // not \u escapes
  EXPECT_EQ(toJsonText(Json::parse("{ \"a\" : [ 1 , null ] }")), "{\"a\":[1,null]}");
}

TEST(ReplayJson, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  // Shift-JIS bytes, an overlong '/', a surrogate, a sequence cut off at the end.
  EXPECT_EQ(toJsonText(Json("\x82\xA0")), "\"" + fffd + fffd + "\"");
  EXPECT_EQ(toJsonText(Json("\xC0\xAF")), "\"" + fffd + fffd + "\"");
  EXPECT_EQ(toJsonText(Json("\xED\xA0\x80")), "\"" + fffd + fffd + fffd + "\"");
  EXPECT_EQ(toJsonText(Json("a\xE3\x81")), "\"a" + fffd + "\"");
  // Inside a whole state as well: the text always reads back.
  Json state = Json::object();
  state["Page"] = Json::array({Json("ok"), Json("\xFF\xFE")});
  EXPECT_EQ(parsed(toJsonText(state))["Page"][1], Json(fffd + fffd));
}

TEST(ReplayJson, MembersKeepTheOrderTheyWereAddedIn) {
  Json o = Json::object();
  o["z"] = Json(1);
  o["a"] = Json::array();
  o["m"] = Json();
  o["z"] = Json(2);  // replaced in place
  o["list"] = Json::array({Json(true), Json("x"), Json(int64_t{-9007199254740993})});
  const std::string text = "{\"z\":2,\"a\":[],\"m\":null,\"list\":[true,\"x\",-9007199254740993]}";
  EXPECT_EQ(toJsonText(o), text);
  EXPECT_EQ(toJsonText(parsed(text)), text);
}

TEST(ReplayJson, ParsesNumbersAndEscapes) {
  EXPECT_EQ(parsed(" 12 "), Json(12));
  EXPECT_TRUE(parsed("1.5").is_number_float());
  EXPECT_EQ(parsed("1.0"), Json(1));  // numbers compare by value
  EXPECT_EQ(parsed("1e2"), Json(100));
  EXPECT_EQ(parsed("-3"), Json(int64_t{-3}));
  EXPECT_EQ(parsed("\"\\ud83d\\ude00\""), Json("\xF0\x9F\x98\x80"));
  EXPECT_EQ(parsed("\"\\/\\b\\f\""), Json("/\b\f"));
}

TEST(ReplayJson, RefusesWhatIsNotOneStrictJsonText) {
  for (std::string_view bad : {"", "01", "-", "1.", ".5", "1e", "tru", "nul", "[1,]", "{\"a\" 1}", "{\"a\":1,}",
                               "\"\\ud800\"", "\"\\udc00\"", "\"\\u12\"", "\"tab\there\"", "\"\xFF\"", "[1] 2",
                               "{1:2}", "// note\n1", "1e999"}) {
    const Result<Json> r = parseJsonText(bad);
    ASSERT_FALSE(r) << bad;
    EXPECT_EQ(r.error().find("[json.exception"), std::string::npos) << r.error();
  }
  // The library would stop at a NUL and skip a byte-order mark; neither is JSON.
  using namespace std::string_view_literals;
  EXPECT_EQ(parseJsonText("1\0 2"sv).error(), "a NUL byte at byte 1");
  EXPECT_FALSE(parseJsonText("\"a\"\0"sv));
  EXPECT_FALSE(parseJsonText("\xEF\xBB\xBF" "1"));
}

TEST(ReplayJson, DeepNestingIsRefusedNotOverflowed) {
  const auto nested = [](int depth, std::string_view inner) {
    return std::string(depth, '[') + std::string(inner) + std::string(depth, ']');
  };
  EXPECT_TRUE(parseJsonText(nested(kMaxJsonDepth + 1, "")));   // the innermost array is at depth 64
  EXPECT_FALSE(parseJsonText(nested(kMaxJsonDepth + 1, "1")));  // a value at depth 65
  EXPECT_FALSE(parseJsonText(nested(kMaxJsonDepth + 2, "")));
  const Result<Json> deep = parseJsonText(nested(100000, ""));
  ASSERT_FALSE(deep);
  EXPECT_NE(deep.error().find("nested deeper than 64"), std::string::npos) << deep.error();
  std::string objects;
  for (int i = 0; i < 100000; ++i) objects += "{\"a\":";
  EXPECT_FALSE(parseJsonText(objects + "1" + std::string(100000, '}')));
}

TEST(ReplayJson, EqualityIsDeepAndTyped) {
  EXPECT_FALSE(Json(1) == Json("1"));
  EXPECT_FALSE(Json(0) == Json(false));
  EXPECT_FALSE(Json() == Json(""));
  EXPECT_EQ(parsed("{\"a\":[1,{\"b\":null}]}"), parsed("{ \"a\" : [ 1.0 , { \"b\" : null } ] }"));
  EXPECT_FALSE(parsed("{\"a\":1,\"b\":2}") == parsed("{\"b\":2,\"a\":1}"));  // key order matters
}

TEST(ReplayJson, LooksUpDottedPaths) {
  const Json state = parsed(
      "{\"GameMode\":1,\"Adv\":{\"TrainStep\":16,\"Met\":{\"1\":0}},"
      "\"CharaStat\":{\"1\":{\"Affection\":5}},\"Page\":[\"一\",\"二\"],\"Notice\":null}");
  ASSERT_TRUE(lookupPath(state, "GameMode"));
  EXPECT_EQ(*lookupPath(state, "GameMode"), Json(1));
  EXPECT_EQ(*lookupPath(state, "Adv.TrainStep"), Json(16));
  EXPECT_EQ(*lookupPath(state, "Adv.Met.1"), Json(0));
  EXPECT_EQ(*lookupPath(state, "CharaStat.1.Affection"), Json(5));
  EXPECT_EQ(*lookupPath(state, "Page.0"), Json("一"));
  EXPECT_EQ(*lookupPath(state, "Page.1"), Json("二"));
  EXPECT_EQ(*lookupPath(state, "Notice"), Json());  // present, and null
  EXPECT_EQ(lookupPath(state, "Page.2"), nullptr);
  EXPECT_EQ(lookupPath(state, "Page.-1"), nullptr);
  EXPECT_EQ(lookupPath(state, "Page.x"), nullptr);
  EXPECT_EQ(lookupPath(state, "Page.01x"), nullptr);
  EXPECT_EQ(lookupPath(state, "GameMode.0"), nullptr);
  EXPECT_EQ(lookupPath(state, "Nothing"), nullptr);
  EXPECT_EQ(lookupPath(state, "Adv.TrainStep.x"), nullptr);
  EXPECT_EQ(lookupPath(state, "gamemode"), nullptr);  // names are exact
}

}  // namespace
}  // namespace shirakaba
