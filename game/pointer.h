// The mouse buttons a front end reports; the game itself answers only the left one.
#pragma once

namespace shirakaba {

enum class MouseButton { Left, Right, Middle };

}  // namespace shirakaba
