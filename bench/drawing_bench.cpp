// The screen-composition primitives beside a memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/bmp.h"
#include "engine/draw.h"
#include "support/pack_fixture.h"

using namespace shirakaba;

namespace {

Bitmap pattern32(int w, int h, unsigned seed) {
  Bitmap b = Bitmap::create32(w, h);
  for (size_t i = 0; i < b.pixels.size(); ++i) b.pixels[i] = static_cast<uint8_t>(i * 31 + seed);
  return b;
}

Bitmap ramp8(int w, int h) {
  Bitmap m = test::mask8(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m.row(y)[x] = static_cast<uint8_t>((x + y) & 0xFF);
  return m;
}

void Memcpy(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  std::vector<uint8_t> a(n, 1), b(n, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), n);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n);
}
BENCHMARK(Memcpy)->Arg(640 * 480 * 4)->Arg(640 * 80 * 4)->Arg(921654);

void MaskBlendFullScreen(benchmark::State& state) {
  Bitmap dest = pattern32(640, 480, 1), src = pattern32(640, 480, 2);
  const Bitmap mask = ramp8(640, 480);
  for (auto _ : state) {
    MaskBlend(dest, {0, 0}, src, mask);
    benchmark::DoNotOptimize(dest.pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}
BENCHMARK(MaskBlendFullScreen);

// One step of the wipe: a strip of 32 x 480 through its weights onto the screen; rows
// this short are where a call or a copy per row shows.
void MaskBlendWipeStrip(benchmark::State& state) {
  Bitmap screen = pattern32(640, 480, 1), strip = pattern32(32, 480, 2);
  const Bitmap weights = ramp8(32, 480);
  for (auto _ : state) {
    MaskBlend(screen, {320, 0}, strip, weights);
    benchmark::DoNotOptimize(screen.pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * 32 * 480 * 4);
}
BENCHMARK(MaskBlendWipeStrip);

void ShadeRectMessageBand(benchmark::State& state) {
  DrawContext c;
  c.BackBuffer = pattern32(640, 480, 3);
  for (auto _ : state) {
    ShadeRect(c, Shade::OntoScreen, MesRect);
    benchmark::DoNotOptimize(c.ImageBa.pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * 640 * 80 * 4);
}
BENCHMARK(ShadeRectMessageBand);

void DecodeFullScreen24(benchmark::State& state) {
  const std::vector<uint8_t> file = encodeBmp(pattern32(640, 480, 4));
  for (auto _ : state) {
    MemoryStream s(file);
    auto r = decodeBmp(s);
    benchmark::DoNotOptimize(r.ok());
  }
  state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(DecodeFullScreen24);

void DrawPicFullScreenFromPack(benchmark::State& state) {
  static const std::string dir = test::makeTempDir("bench-drawpic");
  static const bool made = test::writeTestPack(dir, {{30, pattern32(640, 480, 5)}}, "");
  DrawContext c;
  c.pack.setPath(dir + "/data/lumora.red");
  c.BackBuffer = Bitmap::create32(640, 480);
  if (!made) state.SkipWithError("cannot write the pack");
  for (auto _ : state) {
    DrawPic(c, 0, 0, 30, Target::Back);
    benchmark::DoNotOptimize(c.BackBuffer.pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * 921654);
}
BENCHMARK(DrawPicFullScreenFromPack);

}  // namespace
