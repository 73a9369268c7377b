// A hostile script played from the scene test list. The input is the script block
// (CP932 bytes) of a pack whose pictures are small and sound; the form starts, opens
// the list, and every one of the fourteen scenes is clicked through in virtual time.
// Nothing may crash, hang or read out of bounds, and each click leaves the game in a
// mode it knows, with every loop bounded.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/form.h"
#include "engine/layouts.h"
#include "fuzz/fuzz_pack.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

// The pictures go in once; every input then only replaces the script after them.
void writeScript(const uint8_t* data, size_t size) {
  static const bool pictures = [] {
    std::vector<std::vector<uint8_t>> pics(kPictureCount);
    for (int i = 0; i < kPictureCount; ++i)
      pics[i] = isWeightMask(i) ? fuzz::tinyMask(8, 8, static_cast<uint8_t>(i * 2)) : fuzz::tinyPicture(8, 8, 0x010101u * i);
    pics[pic::WipeStrip] = fuzz::tinyMask(32, 8, 128);  // small: the wipe runs 21 times a click
    std::vector<fuzz::Piece> pieces;
    for (int i = 0; i < kPictureCount; ++i) pieces.push_back({PackOffsets[i], pics[i].data(), pics[i].size()});
    fuzz::writeSparsePack(ScriptOffset, pieces);
    return true;
  }();
  (void)pictures;
  const int fd = ::open(fuzz::packPath().c_str(), O_RDWR);
  if (fd < 0) std::abort();
  if (::ftruncate(fd, ScriptOffset) != 0) std::abort();
  if (size && ::pwrite(fd, data, size, ScriptOffset) != static_cast<ssize_t>(size)) std::abort();
  ::close(fd);
}

bool knownMode(int m) {
  switch (m) {
    case 0: case 1: case 2: case 4: case 5: case 6: case 7: case 8: case 10: case 11: case 12: case 13: case 100:
      return true;
    default:
      return false;
  }
}

// Runs the timers until no transition, pan or job animation is under way (bounded).
void settle(TXP_Form& f) {
  for (int i = 0; i < 3000; ++i) {
    if (!f.Cha_Timer.Enabled() && !f.CG_Timer.Enabled() && !f.J_Timer.Enabled()) return;
    if (!f.clock.fireNext(INT64_MAX)) return;
  }
}

void click(TXP_Form& f, int x, int y) {
  f.mouseDown(MouseButton::Left, x, y);
  f.mouseUp(MouseButton::Left, x, y);
  settle(f);
  require(knownMode(f.GameMode));
  require(f.scene.ScriptPos >= 0);
  require(f.draw.ImageBa.width == kScreenW && f.draw.ImageBa.height == kScreenH);
}

// Back to the scene test list, whatever the scene left behind.
void openList(TXP_Form& f) {
  settle(f);
  if (f.dialog() != DialogKind::None) f.dialogClosed();
  f.callHandler(MenuId::ReSet_Btn);
  settle(f);
  f.callHandler(MenuId::Test_Btn);
  settle(f);
}

constexpr int kClicks[][2] = {{320, 440}, {60, 395}, {320, 440}, {60, 415}, {600, 470}, {320, 200}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16384) return 0;
  writeScript(data, size);
  NullHost host;
  TXP_Form f(host, FormConfig{fuzz::gameDir()});
  f.FormCreate();
  f.advanceTo(3000);  // the logo and the title
  require(f.GameMode == 1);
  f.callHandler(MenuId::Test_Btn);
  settle(f);
  require(f.GameMode == 100);

  // Scenes whose label the script lacks all run the same way (from line 0): one of them is enough.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bool missingRun = false;
  const LayoutRec& l = SceneListLayout;
  for (int i = 1; i <= kEvents; ++i) {
    const bool present = text.find(EventTable[i].Label) != text.npos;
    if (!present && missingRun) continue;
    missingRun = missingRun || !present;
    if (f.GameMode != 100) openList(f);
    require(f.GameMode == 100);
    click(f, l.X + 5, l.Y + (i - 1) * (l.H + l.GapY) + 5);
    for (int k = 0; k < 12 && f.GameMode != 100; ++k) {
      const auto& at = kClicks[k % std::size(kClicks)];
      click(f, at[0], at[1]);
      if (k == 5) f.advanceTo(f.clock.now() + 1000);  // the page prompt blinks meanwhile
    }
  }
  f.FormClose();
  return 0;
}
