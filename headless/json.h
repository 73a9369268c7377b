// A small JSON value for the headless state: built in a fixed key order, written
// compactly as UTF-8, read back for replay expectations, and looked up by dotted path.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace shirakaba {

class Json {
 public:
  enum class Type { Null, Bool, Int, Double, String, Array, Object };

  Json() = default;
  Json(std::nullptr_t) {}
  Json(bool b) : type_(Type::Bool), int_(b) {}
  Json(int v) : type_(Type::Int), int_(v) {}
  Json(int64_t v) : type_(Type::Int), int_(v) {}
  Json(double v) : type_(Type::Double), double_(v) {}
  Json(std::string s) : type_(Type::String), string_(std::move(s)) {}
  Json(const char* s) : type_(Type::String), string_(s) {}
  static Json array() { return Json(Type::Array); }
  static Json object() { return Json(Type::Object); }
  // Transitional: the same value from nlohmann's ordered JSON.
  static Json fromNlohmann(const nlohmann::ordered_json& j);

  Type type() const { return type_; }
  bool isNumber() const { return type_ == Type::Int || type_ == Type::Double; }
  bool asBool() const { return int_ != 0; }
  int64_t asInt() const { return type_ == Type::Double ? static_cast<int64_t>(double_) : int_; }
  double asDouble() const { return type_ == Type::Double ? double_ : static_cast<double>(int_); }
  const std::string& asString() const { return string_; }

  // Arrays and objects: the number of elements, and element i in order.
  size_t size() const { return items_.size(); }
  const Json& item(size_t i) const { return items_[i]; }
  const std::string& key(size_t i) const { return keys_[i]; }

  Json& push(Json v);                          // appends to an array
  Json& set(const std::string& key, Json v);   // adds or replaces a member, keeping the first position
  const Json* find(std::string_view key) const;

  // Compact text: no blanks, members in insertion order, non-ASCII written as UTF-8.
  std::string dump() const;
  void dumpTo(std::string& out) const;

  // Deep equality; numbers compare by value (1 equals 1.0).
  friend bool operator==(const Json& a, const Json& b);

 private:
  explicit Json(Type t) : type_(t) {}
  Type type_ = Type::Null;
  int64_t int_ = 0;
  double double_ = 0;
  std::string string_;
  std::vector<std::string> keys_;  // objects only, parallel to items_
  std::vector<Json> items_;
};

// Appends s as a quoted JSON string. Control characters are escaped; malformed
// UTF-8 becomes U+FFFD so that the output is always valid UTF-8.
void appendJsonString(std::string& out, std::string_view s);

// Parses one JSON text (surrounding blanks allowed). On failure returns nothing and
// sets *error to the reason and its byte position.
std::optional<Json> parseJson(std::string_view text, std::string* error = nullptr);

// Follows a dotted path ("Adv.TrainStep", "Page.0", "CharaStat.1.Affection"):
// object members by key, array elements by decimal index. Null when a step is missing.
const Json* lookupPath(const Json& root, std::string_view path);

}  // namespace shirakaba
