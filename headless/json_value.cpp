#include "headless/json_value.h"

namespace shirakaba {

namespace {

// The library's message without its "[json.exception.parse_error.101] " prefix.
std::string reasonOf(const Json::exception& e) {
  const std::string_view what = e.what();
  const size_t end = what.find("] ");
  return std::string(end == std::string_view::npos ? what : what.substr(end + 2));
}

}  // namespace

std::string toJsonText(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

Result<Json> parseJsonText(std::string_view text) {
  // The library takes a NUL for the end of the text and skips a leading byte-order
  // mark; neither belongs to a JSON text.
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos)
    return fail("a NUL byte at byte " + std::to_string(nul));
  if (text.substr(0, 3) == "\xEF\xBB\xBF") return fail("a byte-order mark before the value");

  bool tooDeep = false;
  const Json::parser_callback_t limitDepth = [&](int depth, Json::parse_event_t event, Json&) {
    const bool startsValue = event == Json::parse_event_t::object_start ||
                             event == Json::parse_event_t::array_start || event == Json::parse_event_t::value;
    if (!startsValue || depth <= kMaxJsonDepth) return true;
    tooDeep = true;
    return false;  // dropped at once, so the deep value is never built
  };
  try {
    Json value = Json::parse(text.begin(), text.end(), limitDepth);
    if (tooDeep) return fail("arrays and objects nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    return value;
  } catch (const Json::exception& e) {
    return fail(reasonOf(e));
  }
}

}  // namespace shirakaba
