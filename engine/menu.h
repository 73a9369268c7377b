// The main window's menu bar as data: its fixed structure (names, nesting, tags)
// and the state that changes during a run (captions, check marks, enabled and
// visible). The window mirrors it after every event.
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace shirakaba {

enum class MenuId : int {
  Game, Start_Btn, ReStart_Btn, ReSet_Btn, N1, Exit_Btn,
  Set_Btn, BGM_Btn, ON1, OFF1, CG_Btn, CG_H, CG_F, CG_O,
  Help_Btn, Mes_Btn, About_Btn, Text_Btn, Test_Btn,
  Count
};
constexpr int kMenuItems = static_cast<int>(MenuId::Count);
constexpr int kNoParent = -1;

// What never changes about an item.
struct MenuItemDef {
  const char* name;
  const char* caption;    // the caption at start-up
  int parent = kNoParent; // index of the parent item; kNoParent: on the menu bar
  int Tag = 0;
  bool separator = false;
  bool hasHandler = false;  // a click runs a handler (submenus and the separator have none)
};

const MenuItemDef& menuDef(MenuId id);
const MenuItemDef& menuDef(int index);
// The item with that name, or -1.
int findMenuItem(std::string_view name);

struct MenuItemState {
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  bool operator==(const MenuItemState&) const = default;
};

struct MenuState {
  std::array<MenuItemState, kMenuItems> items;

  MenuState();  // every item as at start-up
  MenuItemState& operator[](MenuId id) { return items[static_cast<int>(id)]; }
  const MenuItemState& operator[](MenuId id) const { return items[static_cast<int>(id)]; }
  // Whether a player can click it: it and every parent enabled and visible.
  bool reachable(MenuId id) const;
  bool operator==(const MenuState&) const = default;
};

}  // namespace shirakaba
