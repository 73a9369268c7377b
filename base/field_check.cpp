#include "base/field_check.h"

#include "base/cp932.h"

namespace shirakaba {

std::string FieldChecker::allowedText(const Field& f) {
  std::string s;
  for (int i = 0; i < f.rangeCount; ++i) {
    if (i > 0) s += ", ";
    s += std::to_string(f.ranges[i].lo);
    if (f.ranges[i].hi != f.ranges[i].lo) s += ".." + std::to_string(f.ranges[i].hi);
  }
  return s;
}

void FieldChecker::fault(const Field& f, const std::string& what) {
  if (!problem_) problem_ = pathOf(f.key) + what;
}

void FieldChecker::textFault(const std::string& path, const std::string& text) {
  if (problem_) return;
  if (text.size() > kMaxTextBytes)
    problem_ = path + " is " + std::to_string(text.size()) + " bytes long (at most " + std::to_string(kMaxTextBytes) + ")";
  else if (!isValidUtf8(text))
    problem_ = path + " is not valid UTF-8";
}

void FieldChecker::visit(const Field& f, const std::string& text) { textFault(pathOf(f.key), text); }

void FieldChecker::visit(const Field& f, const std::vector<std::string>& lines) {
  const Field counted = f.rangeCount ? f : f.within(0, kMaxTextLines);
  if (!counted.allows(static_cast<int64_t>(lines.size())))
    return fault(f, " has " + std::to_string(lines.size()) + " lines (allowed: " + allowedText(counted) + ")");
  for (size_t i = 0; i < lines.size() && !problem_; ++i) textFault(pathOf(f.key) + "." + std::to_string(i), lines[i]);
}

void FieldChecker::visit(const Field& f, const std::optional<std::string>& text) {
  if (text) visit(f, *text);
}

void FieldChecker::visit(const Field& f, const Bitmap& b) {
  if (b.empty() && f.mayBeEmpty) return;
  const std::string size = std::to_string(b.width) + " x " + std::to_string(b.height);
  if (f.width > 0 && (b.width != f.width || b.height != f.height))
    return fault(f, " is " + size + " (must be " + std::to_string(f.width) + " x " + std::to_string(f.height) + ")");
  if (b.empty() || b.width > kMaxPictureSide || b.height > kMaxPictureSide)
    return fault(f, " is " + size + " (1 to " + std::to_string(kMaxPictureSide) + " pixels a side)");
  if (!b.is32() || !b.palette.empty()) fault(f, " is not a picture of 32 bits a pixel");
}

void FieldChecker::visit(const Field& f, const RandomSource& r) {
  if (r.rawState() == 0) fault(f, " would draw zeros for ever");
}

}  // namespace shirakaba
