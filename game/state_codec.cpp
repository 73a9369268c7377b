#include "game/state_codec.h"

#include "base/field_check.h"
#include "base/field_codec.h"

namespace shirakaba {

std::vector<uint8_t> encodeState(const GameState& state, uint32_t version) {
  std::vector<uint8_t> out;
  out.reserve(state.surfaces.ImageBa.pixels.size() + state.surfaces.BackBuffer.pixels.size() +
              state.surfaces.ImageCG.pixels.size() + 4096);
  FieldWriter writer(out, version);
  stateFields(writer, state, StateLimits{});
  return out;
}

std::optional<std::string> stateProblem(const GameState& state, const StateLimits& limits) {
  FieldChecker checker;
  stateFields(checker, state, limits);
  return checker.problem();
}

Result<GameState> decodeState(std::span<const uint8_t> bytes, const StateLimits& limits, uint32_t version) {
  GameState s;
  ByteReader in(bytes);
  FieldReader reader(in, version);
  stateFields(reader, s, limits);
  if (!in.ok()) return fail("the saved game is damaged (cut short or malformed at " + reader.failedAt() + ")");
  if (in.remaining() != 0) return fail("the saved game is damaged (data after its end)");
  if (auto bad = stateProblem(s, limits)) return fail("the saved game is damaged (" + *bad + ")");
  return s;
}

}  // namespace shirakaba
