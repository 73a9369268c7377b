// One page of the message window: two lines of 12-point script text on the screen.
#include <benchmark/benchmark.h>

#include "engine/draw.h"

namespace shirakaba {
namespace {

void BM_TextPage(benchmark::State& state) {
  DrawContext c;
  const Result<std::shared_ptr<FontFace>> found = findGameFont();
  if (found) c.font = found.value();
  if (!c.font) {
    state.SkipWithError("no game font");
    return;
  }
  SetTextFont(c, TextBrush::Clear, 12, kWhite);
  for (auto _ : state) {
    TextOut(c, Target::Screen, 100, 420, "「この後は本編でお楽しみ下さい。朝になったら、また会いましょう」");
    TextOut(c, Target::Screen, 100, 440, "★★☆　－　今日は 12 月 24 日、晴れ。ABCxyz 0123456789");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextPage);

// The first page after start-up: every glyph rendered afresh.
void BM_TextPageUncached(benchmark::State& state) {
  const Result<std::shared_ptr<FontFace>> found = findGameFont();
  if (!found) {
    state.SkipWithError(found.error().c_str());
    return;
  }
  const std::shared_ptr<FontFace>& font = found.value();
  Bitmap screen = Bitmap::create32(kScreenW, kScreenH);
  for (auto _ : state) {
    state.PauseTiming();
    auto fresh = loadFontFile(font->file()).value();
    state.ResumeTiming();
    fresh->draw(screen, 100, 420, "「この後は本編でお楽しみ下さい。朝になったら、また会いましょう」", 16, kWhite);
    fresh->draw(screen, 100, 440, "★★☆　－　今日は 12 月 24 日、晴れ。ABCxyz 0123456789", 16, kWhite);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextPageUncached);

}  // namespace
}  // namespace shirakaba
