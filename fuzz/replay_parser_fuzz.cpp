// Replay lines and JSON values from arbitrary bytes: the reader must never crash,
// what it accepts must be whole, and JSON written must read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "headless/json.h"
#include "headless/replay.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

void checkRoundTrip(const Json& v) {
  const std::string text = v.dump();
  std::string error;
  const std::optional<Json> back = parseJson(text, &error);
  require(back.has_value());
  require(back->dump() == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // Every line of the input as a replay line.
  size_t start = 0;
  while (start <= input.size()) {
    size_t end = input.find('\n', start);
    if (end == input.npos) end = input.size();
    const ParsedLine p = parseReplayLine(input.substr(start, end - start));
    if (!p.ok) require(!p.error.empty());
    if (p.ok && p.command.kind == CommandKind::Expect) {
      require(!p.command.name.empty());
      checkRoundTrip(p.command.expected);
    }
    start = end + 1;
  }

  // The whole input as one JSON text.
  if (const std::optional<Json> v = parseJson(input)) checkRoundTrip(*v);

  // Any bytes as a JSON string: always valid UTF-8 JSON that reads back.
  std::string quoted;
  appendJsonString(quoted, input);
  require(parseJson(quoted).has_value());
  return 0;
}
