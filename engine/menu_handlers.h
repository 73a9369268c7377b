// The menu bar's handlers and the settings they change, a unit of their own beside the
// engine: the engine passes each command on to them, and they act on it as its own
// routines do. Most do nothing while a transition runs (Cha_Timer enabled).
#pragma once
#include "engine/menu.h"

namespace shirakaba {

class Engine;

class MenuHandlers {
 public:
  explicit MenuHandlers(Engine& engine) : e(engine) {}

  // A player's click on a menu item: nothing when it or a parent is disabled or hidden.
  void menuClick(MenuId id);
  // The item's click handler, whatever the item's state.
  void callHandler(MenuId id);
  // The settings at start-up: CG speed 2 ("普通").
  void InitSettings();
  // CG speed 1..3 (fast, normal, slow): the pan interval, the check and the caption.
  void SetCGSpeed(int n);

 private:
  void Start_BtnClick();
  void ReStart_BtnClick();
  void ReSet_BtnClick();
  void Exit_BtnClick();
  void ON1Click(MenuId item);
  void CG_FClick(MenuId item);
  void Mes_BtnClick();
  void About_BtnClick();
  void Text_BtnClick();
  void Test_BtnClick();

  Engine& e;
};

}  // namespace shirakaba
