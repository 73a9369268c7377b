// The screen widget as screen readers see it: a static text whose name is what the
// game last wrote on the screen (a page, a hint block, the two choices, a notice,
// the closing line), updated after every event that wrote text.
#pragma once
#include <QString>
#include <string>
#include <vector>

namespace shirakaba {

// The texts written during one event as one announcement: one line each, joined
// with line feeds; the blinking page prompt alone is no news and gives "".
QString shownTextOf(const std::vector<std::string>& written);
// Makes Qt's accessibility ask us for ScreenWidget's interface; safe to call often.
void installScreenAccessibility();

}  // namespace shirakaba
