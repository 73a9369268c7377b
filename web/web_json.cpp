#include "web/web_json.h"

#include "frontend/game_saves.h"

namespace shirakaba {

using Json = nlohmann::ordered_json;

Json menuJson(const MenuState& menu) {
  Json items = Json::array();
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuItemDef& def = menuDef(i);
    const MenuItemState& s = menu.items[i];
    items.push_back({{"id", i}, {"name", def.name}, {"caption", s.Caption}, {"parent", def.parent},
                     {"separator", def.separator}, {"checked", s.Checked}, {"enabled", s.Enabled},
                     {"visible", s.Visible}, {"handler", def.hasHandler}});
  }
  return items;
}

Json slotsJson(const SaveSlots& slots, bool saving) {
  Json list = Json::array();
  for (const SaveSlot slot : allSaveSlots()) {
    Json row = {{"name", slotName(slot)}, {"state", "empty"}};
    if (slots.exists(slot)) {
      const Result<SaveInfo> info = slots.info(slot);
      if (info) {
        row["state"] = "filled";
        row["day"] = info->day;
        row["partOfDay"] = info->partOfDay;
        row["pageLine"] = info->pageLine;
        row["savedAt"] = info->savedAt;
        row["playTimeMs"] = info->playTimeMs;
        if (!info->thumbnailPng.empty()) row["thumbnail"] = "data:image/png;base64," + base64(info->thumbnailPng);
      } else {
        row["state"] = "unreadable";
        row["problem"] = withoutPath(info.error(), slots.pathOf(slot));
      }
    }
    row["choosable"] = slotChoosable(saving, slot, row["state"] == "filled");
    list.push_back(std::move(row));
  }
  return list;
}

std::string base64(std::span<const uint8_t> bytes) {
  static const char* const kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const uint32_t n = (bytes[i] << 16) | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                       (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    out += kDigits[n >> 18];
    out += kDigits[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
  }
  return out;
}

}  // namespace shirakaba
