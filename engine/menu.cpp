#include "engine/menu.h"

namespace shirakaba {

Menu::Menu() {
  auto set = [&](MenuId id, const char* name, const char* caption, MenuId parent, int tag, bool handler) {
    MenuItem& m = items_[static_cast<int>(id)];
    m.name = name;
    m.Caption = caption;
    m.Tag = tag;
    m.parent = parent == MenuId::Count ? kNoParent : static_cast<int>(parent);
    m.hasHandler = handler;
  };
  const MenuId bar = MenuId::Count;
  set(MenuId::Game, "Game", "GAME", bar, 0, false);
  set(MenuId::Start_Btn, "Start_Btn", "はじめる", MenuId::Game, 0, true);
  set(MenuId::ReStart_Btn, "ReStart_Btn", "続きから", MenuId::Game, 0, true);
  set(MenuId::ReSet_Btn, "ReSet_Btn", "戻る", MenuId::Game, 0, true);
  set(MenuId::N1, "N1", "-", MenuId::Game, 0, false);
  items_[static_cast<int>(MenuId::N1)].separator = true;
  set(MenuId::Exit_Btn, "Exit_Btn", "おわる", MenuId::Game, 0, true);
  set(MenuId::Set_Btn, "Set_Btn", "設定", bar, 0, false);
  set(MenuId::BGM_Btn, "BGM_Btn", "効果音 ON", MenuId::Set_Btn, 0, false);
  set(MenuId::ON1, "ON1", "ON", MenuId::BGM_Btn, 1, true);
  set(MenuId::OFF1, "OFF1", "OFF", MenuId::BGM_Btn, 2, true);
  set(MenuId::CG_Btn, "CG_Btn", "CG 普通", MenuId::Set_Btn, 0, false);
  set(MenuId::CG_H, "CG_H", "早", MenuId::CG_Btn, 1, true);
  set(MenuId::CG_F, "CG_F", "普通", MenuId::CG_Btn, 2, true);
  set(MenuId::CG_O, "CG_O", "遅", MenuId::CG_Btn, 3, true);
  set(MenuId::Help_Btn, "Help_Btn", "ヘルプ", bar, 0, false);
  set(MenuId::Mes_Btn, "Mes_Btn", "Readme", MenuId::Help_Btn, 0, true);
  set(MenuId::About_Btn, "About_Btn", "バージョン情報", MenuId::Help_Btn, 0, true);
  set(MenuId::Text_Btn, "Text_Btn", "テキスト読込", bar, 0, true);
  set(MenuId::Test_Btn, "Test_Btn", "テスト用", bar, 0, true);
  items_[static_cast<int>(MenuId::ON1)].Checked = true;
  items_[static_cast<int>(MenuId::CG_F)].Checked = true;
}

int Menu::find(const std::string& name) const {
  for (int i = 0; i < kMenuItems; ++i)
    if (name == items_[i].name) return i;
  return -1;
}

bool Menu::reachable(int i) const {
  for (int k = i; k != kNoParent; k = items_[k].parent)
    if (!items_[k].Enabled || !items_[k].Visible) return false;
  return true;
}

}  // namespace shirakaba
