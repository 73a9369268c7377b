// Replay lines and JSON values from arbitrary bytes: the reader must never crash,
// what it accepts must be whole, and JSON written must read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "headless/json_value.h"
#include "headless/replay.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

void checkRoundTrip(const Json& v) {
  const std::string text = toJsonText(v);
  const Result<Json> back = parseJsonText(text);
  require(back.ok());
  require(toJsonText(back.value()) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // Every line of the input as a replay line.
  size_t start = 0;
  while (start <= input.size()) {
    size_t end = input.find('\n', start);
    if (end == input.npos) end = input.size();
    const Result<Command> p = parseReplayLine(input.substr(start, end - start));
    if (!p) require(!p.error().empty());
    if (p && p->kind == CommandKind::Expect) {
      require(!p->name.empty());
      checkRoundTrip(p->expected);
    }
    start = end + 1;
  }

  // The whole input as one JSON text.
  if (const Result<Json> v = parseJsonText(input)) checkRoundTrip(v.value());

  // Any bytes as a JSON string: always valid UTF-8 JSON that reads back.
  require(parseJsonText(toJsonText(Json(std::string(input)))).ok());
  return 0;
}
