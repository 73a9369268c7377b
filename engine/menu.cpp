#include "engine/menu.h"

namespace shirakaba {

namespace {

constexpr int kBar = kNoParent;
constexpr int at(MenuId id) { return static_cast<int>(id); }

// In MenuId order.
constexpr MenuItemDef kItems[kMenuItems] = {
    {"Game", "GAME", kBar, 0, false, false},
    {"Start_Btn", "はじめる", at(MenuId::Game), 0, false, true},
    {"ReStart_Btn", "続きから", at(MenuId::Game), 0, false, true},
    {"ReSet_Btn", "戻る", at(MenuId::Game), 0, false, true},
    {"N1", "-", at(MenuId::Game), 0, true, false},
    {"Exit_Btn", "おわる", at(MenuId::Game), 0, false, true},
    {"Set_Btn", "設定", kBar, 0, false, false},
    {"BGM_Btn", "効果音 ON", at(MenuId::Set_Btn), 0, false, false},
    {"ON1", "ON", at(MenuId::BGM_Btn), 1, false, true},
    {"OFF1", "OFF", at(MenuId::BGM_Btn), 2, false, true},
    {"CG_Btn", "CG 普通", at(MenuId::Set_Btn), 0, false, false},
    {"CG_H", "早", at(MenuId::CG_Btn), 1, false, true},
    {"CG_F", "普通", at(MenuId::CG_Btn), 2, false, true},
    {"CG_O", "遅", at(MenuId::CG_Btn), 3, false, true},
    {"Help_Btn", "ヘルプ", kBar, 0, false, false},
    {"Mes_Btn", "Readme", at(MenuId::Help_Btn), 0, false, true},
    {"About_Btn", "バージョン情報", at(MenuId::Help_Btn), 0, false, true},
    {"Text_Btn", "テキスト読込", kBar, 0, false, true},
    {"Test_Btn", "テスト用", kBar, 0, false, true},
};

}  // namespace

const MenuItemDef& menuDef(int index) { return kItems[index]; }
const MenuItemDef& menuDef(MenuId id) { return kItems[at(id)]; }

int findMenuItem(std::string_view name) {
  for (int i = 0; i < kMenuItems; ++i)
    if (name == kItems[i].name) return i;
  return -1;
}

MenuState::MenuState() {
  for (int i = 0; i < kMenuItems; ++i) items[i].Caption = kItems[i].caption;
  (*this)[MenuId::ON1].Checked = true;
  (*this)[MenuId::CG_F].Checked = true;
}

bool MenuState::reachable(MenuId id) const {
  for (int k = at(id); k != kNoParent; k = kItems[k].parent)
    if (!items[k].Enabled || !items[k].Visible) return false;
  return true;
}

}  // namespace shirakaba
