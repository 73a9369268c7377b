#include "headless/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace shirakaba {

Json Json::fromNlohmann(const nlohmann::ordered_json& j) {
  std::optional<Json> v = parseJson(j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
  return v ? *v : Json();
}

Json& Json::push(Json v) {
  items_.push_back(std::move(v));
  return items_.back();
}

Json& Json::set(const std::string& key, Json v) {
  for (size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i] == key) return items_[i] = std::move(v);
  keys_.push_back(key);
  items_.push_back(std::move(v));
  return items_.back();
}

const Json* Json::find(std::string_view key) const {
  if (type_ != Type::Object) return nullptr;
  for (size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i] == key) return &items_[i];
  return nullptr;
}

bool operator==(const Json& a, const Json& b) {
  if (a.isNumber() && b.isNumber()) {
    if (a.type_ == Json::Type::Int && b.type_ == Json::Type::Int) return a.int_ == b.int_;
    return a.asDouble() == b.asDouble();
  }
  if (a.type_ != b.type_) return false;
  switch (a.type_) {
    case Json::Type::Null: return true;
    case Json::Type::Bool: return a.int_ == b.int_;
    case Json::Type::String: return a.string_ == b.string_;
    case Json::Type::Array: return a.items_ == b.items_;
    case Json::Type::Object: return a.keys_ == b.keys_ && a.items_ == b.items_;
    default: return false;
  }
}

// ---- Writing ----

namespace {

// Length of the well-formed UTF-8 sequence at s[i], or 0 when it is malformed
// (overlong forms, surrogates and values above U+10FFFF included).
size_t utf8SequenceLength(std::string_view s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t n;
  char32_t cp;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F;
  else if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F;
  else if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07;
  else return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF) return 0;
  if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
  return n;
}

void appendCodepoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

void appendJsonString(std::string& out, std::string_view s) {
  out += '"';
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x80) {
      const size_t n = utf8SequenceLength(s, i);
      if (n == 0) {
        out += "\xEF\xBF\xBD";
        ++i;
      } else {
        out.append(s.substr(i, n));
        i += n;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
    ++i;
  }
  out += '"';
}

void Json::dumpTo(std::string& out) const {
  switch (type_) {
    case Type::Null: out += "null"; break;
    case Type::Bool: out += int_ ? "true" : "false"; break;
    case Type::Int: out += std::to_string(int_); break;
    case Type::Double: {
      if (!std::isfinite(double_)) {
        out += "null";  // JSON has no infinities
        break;
      }
      char buf[32];
      // %.17g reads back as the same double; zero loses its sign so that it reads back as written.
      std::snprintf(buf, sizeof buf, "%.17g", double_ == 0 ? 0.0 : double_);
      out += buf;
      break;
    }
    case Type::String: appendJsonString(out, string_); break;
    case Type::Array:
      out += '[';
      for (size_t i = 0; i < items_.size(); ++i) {
        if (i) out += ',';
        items_[i].dumpTo(out);
      }
      out += ']';
      break;
    case Type::Object:
      out += '{';
      for (size_t i = 0; i < items_.size(); ++i) {
        if (i) out += ',';
        appendJsonString(out, keys_[i]);
        out += ':';
        items_[i].dumpTo(out);
      }
      out += '}';
      break;
  }
}

std::string Json::dump() const {
  std::string out;
  dumpTo(out);
  return out;
}

// ---- Reading ----

namespace {

constexpr int kMaxDepth = 64;

class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}

  std::optional<Json> document(std::string* error) {
    skipBlanks();
    std::optional<Json> v = value(0);
    if (v) {
      skipBlanks();
      if (pos_ != s_.size()) {
        v.reset();
        fail("unexpected text after the value");
      }
    }
    if (!v && error) *error = error_ + " at byte " + std::to_string(failPos_);
    return v;
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
  std::string error_;
  size_t failPos_ = 0;

  std::nullopt_t fail(const char* why) {
    if (error_.empty()) {
      error_ = why;
      failPos_ = pos_;
    }
    return std::nullopt;
  }
  bool atEnd() const { return pos_ >= s_.size(); }
  char peek() const { return atEnd() ? '\0' : s_[pos_]; }
  void skipBlanks() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) ++pos_;
  }
  bool literal(std::string_view word) {
    if (s_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  std::optional<Json> value(int depth) {
    if (depth > kMaxDepth) return fail("nested too deeply");
    switch (peek()) {
      case '{': return object(depth);
      case '[': return array(depth);
      case '"': {
        std::optional<std::string> s = string();
        if (!s) return std::nullopt;
        return Json(std::move(*s));
      }
      case 't': if (literal("true")) return Json(true); break;
      case 'f': if (literal("false")) return Json(false); break;
      case 'n': if (literal("null")) return Json(nullptr); break;
      default:
        if (peek() == '-' || (peek() >= '0' && peek() <= '9')) return number();
    }
    return fail(atEnd() ? "missing value" : "unexpected character");
  }

  std::optional<Json> object(int depth) {
    Json obj = Json::object();
    ++pos_;
    skipBlanks();
    if (peek() == '}') {
      ++pos_;
      return obj;
    }
    for (;;) {
      skipBlanks();
      if (peek() != '"') return fail("expected a member name");
      std::optional<std::string> key = string();
      if (!key) return std::nullopt;
      skipBlanks();
      if (peek() != ':') return fail("expected ':'");
      ++pos_;
      skipBlanks();
      std::optional<Json> v = value(depth + 1);
      if (!v) return std::nullopt;
      obj.set(*key, std::move(*v));
      skipBlanks();
      if (peek() == ',') {
        ++pos_;
        continue;
      }
      if (peek() == '}') {
        ++pos_;
        return obj;
      }
      return fail("expected ',' or '}'");
    }
  }

  std::optional<Json> array(int depth) {
    Json arr = Json::array();
    ++pos_;
    skipBlanks();
    if (peek() == ']') {
      ++pos_;
      return arr;
    }
    for (;;) {
      skipBlanks();
      std::optional<Json> v = value(depth + 1);
      if (!v) return std::nullopt;
      arr.push(std::move(*v));
      skipBlanks();
      if (peek() == ',') {
        ++pos_;
        continue;
      }
      if (peek() == ']') {
        ++pos_;
        return arr;
      }
      return fail("expected ',' or ']'");
    }
  }

  std::optional<Json> number() {
    const size_t start = pos_;
    bool integral = true;
    if (peek() == '-') ++pos_;
    if (peek() == '0') {
      ++pos_;
    } else if (peek() >= '1' && peek() <= '9') {
      while (peek() >= '0' && peek() <= '9') ++pos_;
    } else {
      return fail("bad number");
    }
    if (peek() == '.') {
      integral = false;
      ++pos_;
      if (!(peek() >= '0' && peek() <= '9')) return fail("bad number");
      while (peek() >= '0' && peek() <= '9') ++pos_;
    }
    if (peek() == 'e' || peek() == 'E') {
      integral = false;
      ++pos_;
      if (peek() == '+' || peek() == '-') ++pos_;
      if (!(peek() >= '0' && peek() <= '9')) return fail("bad number");
      while (peek() >= '0' && peek() <= '9') ++pos_;
    }
    const char* first = s_.data() + start;
    const char* last = s_.data() + pos_;
    if (integral) {
      int64_t v = 0;
      auto [p, ec] = std::from_chars(first, last, v);
      if (ec == std::errc() && p == last) return Json(v);
    }
    // Fractions, exponents and integers too large for 64 bits.
    const std::string copy(first, last);
    return Json(std::strtod(copy.c_str(), nullptr));
  }

  int hex4() {
    if (pos_ + 4 > s_.size()) return -1;
    int v = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = s_[pos_ + k];
      v <<= 4;
      if (c >= '0' && c <= '9') v |= c - '0';
      else if (c >= 'a' && c <= 'f') v |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') v |= c - 'A' + 10;
      else return -1;
    }
    pos_ += 4;
    return v;
  }

  std::optional<std::string> string() {
    std::string out;
    ++pos_;  // opening quote
    for (;;) {
      if (atEnd()) return fail("unterminated string");
      const unsigned char c = static_cast<unsigned char>(s_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) return fail("control character in string");
      if (c >= 0x80) {
        const size_t n = utf8SequenceLength(s_, pos_);
        if (n == 0) return fail("malformed UTF-8 in string");
        out.append(s_.substr(pos_, n));
        pos_ += n;
        continue;
      }
      ++pos_;
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (atEnd()) return fail("unterminated string");
      const char e = s_[pos_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          int cp = hex4();
          if (cp < 0) return fail("bad \\u escape");
          if (cp >= 0xDC00 && cp <= 0xDFFF) return fail("lone low surrogate");
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (!literal("\\u")) return fail("lone high surrogate");
            const int low = hex4();
            if (low < 0xDC00 || low > 0xDFFF) return fail("lone high surrogate");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          appendCodepoint(out, static_cast<char32_t>(cp));
          break;
        }
        default: --pos_; return fail("unknown escape");
      }
    }
  }
};

}  // namespace

std::optional<Json> parseJson(std::string_view text, std::string* error) {
  return Reader(text).document(error);
}

const Json* lookupPath(const Json& root, std::string_view path) {
  const Json* node = &root;
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find('.', start);
    const std::string_view step = path.substr(start, dot == std::string_view::npos ? path.npos : dot - start);
    if (node->type() == Json::Type::Object) {
      node = node->find(step);
    } else if (node->type() == Json::Type::Array) {
      size_t index = 0;
      auto [p, ec] = std::from_chars(step.data(), step.data() + step.size(), index);
      if (step.empty() || ec != std::errc() || p != step.data() + step.size() || index >= node->size())
        return nullptr;
      node = &node->item(index);
    } else {
      return nullptr;
    }
    if (!node) return nullptr;
    if (dot == std::string_view::npos) return node;
    start = dot + 1;
  }
}

}  // namespace shirakaba
