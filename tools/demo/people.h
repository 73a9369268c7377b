// The four people of the demo story, drawn as simple stylised figures: a round
// head, hair by colour and cut, a dress by colour. Sprites, faces and CGs use them.
#pragma once
#include "tools/demo/painter.h"

namespace shirakaba::demo {

enum class Who { Harumi, Kyouko, Suzuna, Mayu };
enum class Clothes { Work, Private };
enum class Mood { Calm, Smile, Sad };
enum class Prop { None, Pot, Broom, Basket, Tray, Stir, Sweep, Sheet, Serve };

struct Pose {
  Who who = Who::Harumi;
  Clothes clothes = Clothes::Work;
  Mood mood = Mood::Calm;
  Prop prop = Prop::None;
  bool sparkles = false;
  bool gloom = false;
};

// Draws the figure with its head centre at (cx, headY); u is the head radius.
// The body runs down to the canvas's bottom.
void drawPerson(Canvas& c, float cx, float headY, float u, const Pose& pose);

}  // namespace shirakaba::demo
