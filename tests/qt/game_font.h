// The game's font, found once for all the windows of a test program.
#pragma once
#include <memory>

#include "base/text.h"

namespace shirakaba::test {

inline std::shared_ptr<FontFace> gameFont() {
  static std::shared_ptr<FontFace> f = findGameFont().value();
  return f;
}

}  // namespace shirakaba::test
