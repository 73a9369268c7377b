// The JSON of the headless state: escaping, reading back, equality and path lookup.
#include <gtest/gtest.h>

#include "headless/json.h"

namespace shirakaba {
namespace {

std::string quotedJson(std::string_view s) {
  std::string out;
  appendJsonString(out, s);
  return out;
}

TEST(ReplayJson, EscapesWhatJsonRequires) {
  EXPECT_EQ(quotedJson("plain"), "\"plain\"");
  EXPECT_EQ(quotedJson("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(quotedJson("line\nfeed\r\t"), "\"line\\nfeed\\r\\t\"");
  EXPECT_EQ(quotedJson(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\\u007f\"");
  EXPECT_EQ(quotedJson(std::string("a\0b", 3)), "\"a\\u0000b\"");
  EXPECT_EQ(quotedJson("はじめる"), "\"はじめる\"");  // UTF-8 kept as it is
  EXPECT_EQ(quotedJson("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"");
}

TEST(ReplayJson, MalformedUtf8BecomesReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(quotedJson("\x82\xA0"), "\"" + fffd + fffd + "\"");       // Shift-JIS bytes
  EXPECT_EQ(quotedJson("a\xE3\x81"), "\"a" + fffd + fffd + "\"");     // cut-off sequence
  EXPECT_EQ(quotedJson("\xC0\xAF"), "\"" + fffd + fffd + "\"");       // overlong '/'
  EXPECT_EQ(quotedJson("\xED\xA0\x80"), "\"" + fffd + fffd + fffd + "\"");  // surrogate
}

TEST(ReplayJson, DumpKeepsInsertionOrder) {
  Json o = Json::object();
  o.set("z", Json(1));
  o.set("a", Json::array());
  o.set("m", Json());
  o.set("z", Json(2));  // replaced in place
  Json& arr = o.set("list", Json::array());
  arr.push(Json(true));
  arr.push(Json("x"));
  arr.push(Json(int64_t{-9007199254740993}));
  EXPECT_EQ(o.dump(), "{\"z\":2,\"a\":[],\"m\":null,\"list\":[true,\"x\",-9007199254740993]}");
}

TEST(ReplayJson, ParsesWhatItWrites) {
  Json o = Json::object();
  o.set("text", Json("改行\n\"引用\"\x01"));
  o.set("n", Json(-42));
  o.set("inner", Json::object()).set("k", Json(false));
  std::string error;
  std::optional<Json> back = parseJson(o.dump(), &error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(*back, o);
  EXPECT_EQ(back->dump(), o.dump());
}

TEST(ReplayJson, ParsesNumbersAndEscapes) {
  EXPECT_EQ(*parseJson(" 12 "), Json(12));
  EXPECT_EQ(parseJson("1.5")->type(), Json::Type::Double);
  EXPECT_EQ(*parseJson("1.0"), Json(1));  // numbers compare by value
  EXPECT_EQ(*parseJson("1e2"), Json(100));
  EXPECT_EQ(parseJson("99999999999999999999")->type(), Json::Type::Double);
  EXPECT_EQ(*parseJson("\"\\ud83d\\ude00\""), Json("\xF0\x9F\x98\x80"));
  EXPECT_EQ(*parseJson("\"\\/\\b\\f\""), Json("/\b\f"));
  EXPECT_EQ(parseJson("-0.0")->dump(), "0");  // reads back as written
  EXPECT_EQ(parseJson("1e999")->dump(), "null");
}

TEST(ReplayJson, RefusesMalformedText) {
  for (const char* bad : {"", "01", "-", "1.", ".5", "1e", "tru", "nul", "[1,]", "{\"a\" 1}", "{\"a\":1,}",
                          "\"\\ud800\"", "\"\\udc00\"", "\"\\u12\"", "\"tab\there\"", "\"\xFF\"", "[1] 2",
                          "{1:2}"}) {
    std::string error;
    EXPECT_FALSE(parseJson(bad, &error)) << bad;
    EXPECT_NE(error.find("at byte"), std::string::npos) << bad;
  }
}

TEST(ReplayJson, DeepNestingIsRefusedNotOverflowed) {
  EXPECT_TRUE(parseJson(std::string(60, '[') + std::string(60, ']')));
  EXPECT_FALSE(parseJson(std::string(100000, '[') + std::string(100000, ']')));
}

TEST(ReplayJson, EqualityIsDeepAndTyped) {
  EXPECT_FALSE(Json(1) == Json("1"));
  EXPECT_FALSE(Json(0) == Json(false));
  EXPECT_FALSE(Json() == Json(""));
  EXPECT_EQ(*parseJson("{\"a\":[1,{\"b\":null}]}"), *parseJson("{ \"a\" : [ 1 , { \"b\" : null } ] }"));
  EXPECT_FALSE(*parseJson("{\"a\":1,\"b\":2}") == *parseJson("{\"b\":2,\"a\":1}"));  // key order matters
}

TEST(ReplayJson, LooksUpDottedPaths) {
  const Json state = *parseJson(
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
  EXPECT_EQ(lookupPath(state, "GameMode.0"), nullptr);
  EXPECT_EQ(lookupPath(state, "Nothing"), nullptr);
  EXPECT_EQ(lookupPath(state, "Adv.TrainStep.x"), nullptr);
  EXPECT_EQ(lookupPath(state, "gamemode"), nullptr);  // names are exact
}

}  // namespace
}  // namespace shirakaba
