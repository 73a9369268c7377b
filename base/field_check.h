// Whether described fields hold values the game can give them: numbers within their
// ranges, texts of valid UTF-8 within kMaxTextBytes, lists within their counts and
// pictures of their size. The first field that does not is named, with what is wrong.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/random.h"
#include "base/fields.h"

namespace shirakaba {

class FieldChecker : public FieldVisitor<FieldChecker> {
 public:
  // "Adv.Place is 12 (allowed: 0..11)", or nothing when every field is good.
  const std::optional<std::string>& problem() const { return problem_; }

  template <typename T>
    requires kIsNumber<T>
  void visit(const Field& f, T v) {
    if (!f.allows(asNumber(v))) fault(f, " is " + std::to_string(asNumber(v)) + " (allowed: " + allowedText(f) + ")");
  }
  void visit(const Field& f, const std::string& text);
  void visit(const Field& f, const std::vector<std::string>& lines);
  void visit(const Field& f, const std::optional<std::string>& text);
  void visit(const Field& f, const Bitmap& picture);
  void visit(const Field& f, const RandomSource& random);

  template <typename T, typename Each>
  void records(const Field& f, const std::vector<T>& items, Each&& each) {
    if (!f.allows(static_cast<int64_t>(items.size())))
      return fault(f, " has " + std::to_string(items.size()) + " entries (allowed: " + allowedText(f) + ")");
    group(f.key, [&] {
      for (size_t i = 0; i < items.size() && !problem_; ++i) group(indexKey(i), [&] { each(items[i]); });
    });
  }

 private:
  static std::string allowedText(const Field& f);
  void fault(const Field& f, const std::string& what);
  void textFault(const std::string& path, const std::string& text);
  std::optional<std::string> problem_;
};

}  // namespace shirakaba
