// The screen widget as screen readers see it: a static text whose name is what the
// game last wrote on the screen (a page, a hint block, the two choices, a notice,
// the closing line), updated after every event that wrote text.
#pragma once

namespace shirakaba {

// Makes Qt's accessibility ask us for ScreenWidget's interface; safe to call often.
void installScreenAccessibility();

}  // namespace shirakaba
