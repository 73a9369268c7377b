// A hostile script played from the scene test list. The input is the script block
// (CP932 bytes) of a pack whose pictures are small and sound; the game starts, opens
// the list and clicks one scene through in virtual time: the scene whose label comes
// first in the script, or, when the script has none of the fourteen labels, the first
// scene (which then runs from line 0), until it ends and asks for the list again.
// Nothing may crash, hang or read out of bounds, and each click leaves the game in a
// mode it knows, with every loop bounded.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/layouts.h"
#include "fuzz/fuzz_game.h"
#include "fuzz/fuzz_pack.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

// Small, sound pictures in every slot and the input as the script block after them.
PackFile packWithScript(const uint8_t* data, size_t size) {
  static const std::vector<std::vector<uint8_t>> pictures = [] {
    std::vector<std::vector<uint8_t>> pics(kPictureCount);
    for (int i = 0; i < kPictureCount; ++i)
      pics[i] = isWeightMask(i) ? fuzz::tinyMask(8, 8, static_cast<uint8_t>(i * 2)) : fuzz::tinyPicture(8, 8, 0x010101u * i);
    pics[pic::WipeStrip] = fuzz::tinyMask(32, 8, 128);  // small: the wipe runs 21 times a click
    return pics;
  }();
  std::vector<fuzz::Piece> pieces;
  for (int i = 0; i < kPictureCount; ++i) pieces.push_back({PackOffsets[i], pictures[i].data(), pictures[i].size()});
  pieces.push_back({ScriptOffset, data, size});
  return fuzz::memoryPack(ScriptOffset + static_cast<int64_t>(size), pieces);
}

bool knownMode(GameMode mode) {
  switch (toInt(mode)) {
    case 0: case 1: case 2: case 4: case 5: case 6: case 7: case 8: case 10: case 11: case 12: case 13: case 100:
      return true;
    default:
      return false;
  }
}

// The list that the end of a scene brings back is the same for every input (the game's
// own labels on its own picture), and drawing it and wiping it in took a sixth of an
// input: the click stops as soon as the list is asked for.
void click(fuzz::FuzzGame& g, int x, int y) {
  g.click(x, y, [&g] { return g.mode() == GameMode::SceneList; });
  require(knownMode(g.mode()));
  require(g.scriptPos() >= 0);
  require(g.screen().width == kScreenW && g.screen().height == kScreenH);
}

// The event whose label comes first in the script (the lower number on a tie, as "*op"
// lies within "*op2"); 1 when no label is there.
int firstScene(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  int first = 1;
  size_t firstAt = text.npos;
  for (int i = 1; i <= kEvents; ++i) {
    const size_t at = text.find(EventTable[i].Label);
    if (at < firstAt) first = i, firstAt = at;
  }
  return first;
}

constexpr int kClicks[][2] = {{320, 440}, {60, 395}, {320, 440}, {60, 415}, {600, 470}, {320, 200}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16384) return 0;
  // The logo, the title and the scene list do not read the script: they are played
  // once, and every later input goes on from the open list with its own script.
  static fuzz::FuzzGame g;
  static std::optional<GameState> atTheList;
  if (!atTheList) {
    g.start(packWithScript(data, size));
    g.advanceTo(g.now() + 3000);  // the logo and the title
    require(g.mode() == GameMode::Title);
    g.menu(MenuId::Test_Btn);
    require(g.mode() == GameMode::SceneList);
    atTheList = g.game.snapshot();
  } else {
    g.resume(packWithScript(data, size), *atTheList);
  }
  const LayoutRec& l = SceneListLayout;
  click(g, l.X + 5, l.Y + (firstScene(data, size) - 1) * (l.H + l.GapY) + 5);
  for (int k = 0; k < 12 && g.mode() != GameMode::SceneList; ++k) {
    const auto& at = kClicks[k % std::size(kClicks)];
    click(g, at[0], at[1]);
    if (k == 5) g.advanceTo(g.now() + 1000);  // the page prompt blinks meanwhile
  }
  return 0;
}
