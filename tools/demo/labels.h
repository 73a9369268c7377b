// The words painted into the demo's pictures (title items, buttons, place names, the
// status plates), in Japanese or in English. Painting in English keeps every picture's
// layout: a label too wide for its place is drawn smaller.
#pragma once
#include <string>
#include <vector>

namespace shirakaba::demo {

enum class Lang { Ja, En };

// The language of the pictures painted while it lives (Japanese otherwise).
class PaintLanguage {
 public:
  explicit PaintLanguage(Lang lang);
  ~PaintLanguage();
  PaintLanguage(const PaintLanguage&) = delete;
  PaintLanguage& operator=(const PaintLanguage&) = delete;

 private:
  Lang previous_;
};

// The label in the language being painted: the Japanese itself, or its English.
std::string label(const std::string& japanese);
// The size at which the label fits width: px in Japanese (the pictures stay as they
// have always been), else the largest size from px down that fits.
int fitted(const std::string& text, int px, float width);
// The Japanese labels met while painting in English that have no English, for tests.
std::vector<std::string> labelsWithoutEnglish();

}  // namespace shirakaba::demo
