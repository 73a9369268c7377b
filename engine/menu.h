// The main window's menu as data; the Qt window mirrors it after every event.
#pragma once
#include <array>
#include <string>

namespace shirakaba {

enum class MenuId : int {
  Game, Start_Btn, ReStart_Btn, ReSet_Btn, N1, Exit_Btn,
  Set_Btn, BGM_Btn, ON1, OFF1, CG_Btn, CG_H, CG_F, CG_O,
  Help_Btn, Mes_Btn, About_Btn, Text_Btn, Test_Btn,
  Count
};
constexpr int kMenuItems = static_cast<int>(MenuId::Count);
constexpr int kNoParent = -1;

struct MenuItem {
  const char* name;
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  int Tag = 0;
  int parent = kNoParent;  // index of the parent item; kNoParent: on the menu bar
  bool separator = false;
  bool hasHandler = false;
};

class Menu {
 public:
  Menu();
  MenuItem& operator[](MenuId id) { return items_[static_cast<int>(id)]; }
  const MenuItem& operator[](MenuId id) const { return items_[static_cast<int>(id)]; }
  MenuItem& at(int i) { return items_[i]; }
  const MenuItem& at(int i) const { return items_[i]; }
  // The item with that name, or -1.
  int find(const std::string& name) const;
  // Whether a player can click it: it and every parent enabled and visible.
  bool reachable(int i) const;

 private:
  std::array<MenuItem, kMenuItems> items_;
};

}  // namespace shirakaba
