#include "headless/json_path.h"

#include <charconv>
#include <string>

namespace shirakaba {

const Json* lookupPath(const Json& root, std::string_view path) {
  const Json* node = &root;
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find('.', start);
    const std::string_view step = path.substr(start, dot == std::string_view::npos ? path.npos : dot - start);
    if (node->is_object()) {
      const auto member = node->find(std::string(step));
      if (member == node->end()) return nullptr;
      node = &*member;
    } else if (node->is_array()) {
      size_t index = 0;
      auto [p, ec] = std::from_chars(step.data(), step.data() + step.size(), index);
      if (step.empty() || ec != std::errc() || p != step.data() + step.size() || index >= node->size())
        return nullptr;
      node = &(*node)[index];
    } else {
      return nullptr;
    }
    if (dot == std::string_view::npos) return node;
    start = dot + 1;
  }
}

}  // namespace shirakaba
