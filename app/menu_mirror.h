// The native menu bar as a mirror of the game's menu data: built once, then brought
// up to date (captions, check marks, enabled and visible states) after every event
// the game handles. A chosen item goes back to the game as a menu click.
#pragma once
#include <QMenuBar>
#include <QString>
#include <array>
#include <functional>

#include "game/core.h"

class QAction;
class QMenu;

namespace shirakaba {

// A caption as the menu bar shows it: '&' doubled so that no mnemonic is made.
QString menuText(const std::string& caption);

class MenuMirror {
 public:
  MenuMirror(QMenuBar* bar, std::function<void(MenuId)> onClick);
  void build(const MenuState& menu);
  void sync(const MenuState& menu);
  // The action that stands for item i (a submenu's own action for a parent item).
  QAction* action(MenuId id) const { return actions_[static_cast<int>(id)]; }
  QMenu* submenu(MenuId id) const { return menus_[static_cast<int>(id)]; }

 private:
  QMenuBar* bar_;
  std::function<void(MenuId)> onClick_;
  std::array<QAction*, kMenuItems> actions_{};
  std::array<QMenu*, kMenuItems> menus_{};
};

}  // namespace shirakaba
