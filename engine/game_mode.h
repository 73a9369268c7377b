// The screen the game is on. The values are the game's own screen numbers, so that
// state dumps, replays and the rules read the same; a replay may store any other
// number, which no screen answers to.
#pragma once
#include <cstdint>

namespace shirakaba {

enum class GameMode : int32_t {
  Logo = 0,         // the start-up logo; the title is composed behind it
  Title = 1,
  Gallery = 2,      // the CG gallery (no live button of the title leads here)
  Calendar = 4,     // the training calendar
  CGDisplay = 5,    // a CG shown by a scene, panning if it is larger than the screen
  Scene = 6,        // a script scene
  Closing = 7,      // the closing screen of the story
  Viewer = 8,       // one CG of the gallery
  Status = 10,      // the status screen of the evening menu
  Resume = 11,      // "続きから": a screen with nothing on it
  Choice = 12,      // the two-way choice inside a scene
  Talk = 13,        // a conversation
  SceneList = 100,  // the hidden scene test list
};

constexpr int32_t toInt(GameMode m) { return static_cast<int32_t>(m); }

}  // namespace shirakaba
