// Pictures of a hostile pack through every routine that draws them. The input is cut
// at "#PIC" into pieces that land at the offsets of pictures 0..11, 120 and 121 of a
// pack in memory; the rest of the pack reads as zeros. Nothing may crash or read out
// of bounds, the surfaces keep their size, and a picture that does not decode draws
// nothing. (The screens that draw these pictures: pack_screens_fuzz; the wipe and the
// CG display: pack_wipe_cg_fuzz.)
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/draw.h"
#include "fuzz/fuzz_pack.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

void requireScreens(const DrawContext& c) {
  for (const Bitmap* b : {&c.BackBuffer, &c.ImageBa}) {
    require(b->width == kScreenW && b->height == kScreenH && b->is32());
    require(b->pixels.size() == static_cast<size_t>(b->stride) * b->height);
  }
}

// One drawing context for the whole run, made as the game makes it (both surfaces
// black, 640 x 480) and set back to that for every input: fresh 640 x 480 surfaces
// cost far more than the drawing itself.
DrawContext& freshContext(PackFile pack) {
  static DrawContext c;
  c.pack = std::move(pack);
  c.ImageCG.clear();
  if (c.BackBuffer.empty()) c.BackBuffer = Bitmap::create32(kScreenW, kScreenH);
  std::memset(c.BackBuffer.pixels.data(), 0, c.BackBuffer.pixels.size());
  std::memset(c.ImageBa.pixels.data(), 0, c.ImageBa.pixels.size());
  return c;
}

// Every routine that draws picture pic; one that does not decode leaves both surfaces as they were.
void drawEveryWay(DrawContext& c, int pic) {
  // The surfaces before, kept between inputs and copied with memcpy: a vector's copy is
  // a memmove, which AddressSanitizer does a byte at a time.
  static std::vector<uint8_t> back(c.BackBuffer.pixels.size()), screen(c.ImageBa.pixels.size());
  const bool decodes = c.pack.readPicture(pic).ok();
  if (!decodes) {
    require(back.size() == c.BackBuffer.pixels.size() && screen.size() == c.ImageBa.pixels.size());
    std::memcpy(back.data(), c.BackBuffer.pixels.data(), back.size());
    std::memcpy(screen.data(), c.ImageBa.pixels.data(), screen.size());
  }
  DrawPic(c, 0, 0, pic, Target::Back);
  DrawPic(c, 170, 220, pic, Target::Screen);
  DrawPic(c, -37, -5, pic, Target::Back);
  DrawPic(c, 630, 475, pic, Target::Screen);
  if (pic == 1) StretchPic(c, pic, Target::Back);  // full screen, scaled: the costly one, so once
  CopyPicRect(c, Rect{0, 0, 59, 22}, Rect{10, 10, 69, 32}, pic, Target::Screen);
  CopyPicRect(c, Rect{-20, -20, 700, 30}, Rect{600, 470, 1320, 520}, pic, Target::Back);
  CopyPicRect(c, Rect{5, 5, 7, 6}, Rect{0, 0, 64, 48}, pic, Target::Back);  // scaled up
  TransPicRect(c, Rect{21, 0, 42, 21}, Rect{100, 100, 121, 121}, pic, Target::Screen);
  TransPicRect(c, Rect{-5, -5, 700, 4}, Rect{-10, 470, 690, 490}, pic, Target::Back);
  if (!decodes) require(back == c.BackBuffer.pixels && screen == c.ImageBa.pixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DrawContext& c = freshContext(fuzz::hostilePicturePack(data, size));
  for (int pic : fuzz::kHostilePictures) drawEveryWay(c, pic);
  requireScreens(c);

  // Pictures through masks, the masks being whatever the input made them.
  BlendPic(c, 6, 7, 10, 11, c.BackBuffer);
  BlendPic(c, 0, 0, 1, 2, c.BackBuffer);
  BlendPic(c, -3, 400, 2, 1, c.ImageBa);
  BlendPic(c, 600, -100, 120, 121, c.BackBuffer);
  BlendPic(c, 0, 280, 4, 0, c.ImageBa);
  ShadeRect(c, Shade::OntoScreen, MesRect);
  for (int v : {-5, 0, 7, 42, 150}) DrawNum2(c, 11, 13, v, Target::Back);
  requireScreens(c);

  // CGs loaded into ImageCG or drawn on the BackBuffer.
  if (LoadCG(c, 1, CGLoad::Hold)) require(c.pack.readPicture(121).ok());
  c.ImageCG.clear();
  LoadCG(c, 1, CGLoad::ToBack);
  require(!LoadCG(c, 0, CGLoad::Hold) || c.pack.readPicture(120).ok());
  require(!LoadCG(c, 8, CGLoad::Hold));
  c.ImageCG.clear();
  requireScreens(c);
  return 0;
}
