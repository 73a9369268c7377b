// The menu bar's handlers and the settings they change.
#include "engine/menu_handlers.h"

#include "engine/engine.h"

namespace shirakaba {

// While a modal dialog is open, the menu takes no commands; the timers go on.
void MenuHandlers::menuClick(MenuId id) {
  if (!e.menu.reachable(id)) return;
  callHandler(id);
}

void MenuHandlers::callHandler(MenuId id) {
  if (e.shell.closed || e.modalOpen()) return;
  switch (id) {
    case MenuId::Start_Btn: Start_BtnClick(); break;
    case MenuId::ReStart_Btn: ReStart_BtnClick(); break;
    case MenuId::ReSet_Btn: ReSet_BtnClick(); break;
    case MenuId::Exit_Btn: Exit_BtnClick(); break;
    case MenuId::ON1:
    case MenuId::OFF1: ON1Click(id); break;
    case MenuId::CG_H:
    case MenuId::CG_F:
    case MenuId::CG_O: CG_FClick(id); break;
    case MenuId::Mes_Btn: Mes_BtnClick(); break;
    case MenuId::About_Btn: About_BtnClick(); break;
    case MenuId::Text_Btn: Text_BtnClick(); break;
    case MenuId::Test_Btn: Test_BtnClick(); break;
    default: break;  // submenus and the separator have no handler
  }
}

void MenuHandlers::Start_BtnClick() {
  if (e.Cha_Timer.Enabled() || !e.draw.surfaces.backBufferCreated) return;
  e.ResetGame(Reset::NewGame);
}

void MenuHandlers::ReStart_BtnClick() {
  if (e.Cha_Timer.Enabled() || !e.draw.surfaces.backBufferCreated) return;
  e.ResetGame(Reset::Resume);
}

void MenuHandlers::ReSet_BtnClick() {
  if (e.Cha_Timer.Enabled() || !e.draw.surfaces.backBufferCreated) return;
  // Stop every other timer first, so no pan, job bar or prompt runs into the title.
  for (Timer* t : {&e.CG_Timer, &e.J_Timer, &e.Ani_Timer, &e.Text_Timer})
    if (t->Enabled()) t->setEnabled(false);
  e.ResetGame(Reset::ToTitle);
}

void MenuHandlers::Exit_BtnClick() {
  if (e.Cha_Timer.Enabled()) return;
  e.closeMainWindow();
}

void MenuHandlers::ON1Click(MenuId item) {
  if (e.Cha_Timer.Enabled() || e.menu[item].Checked) return;
  e.menu[item].Checked = true;
  if (menuDef(item).Tag == 1) {
    e.menu[MenuId::OFF1].Checked = false;
    e.menu[MenuId::BGM_Btn].Caption = "効果音 ON";
  } else if (menuDef(item).Tag == 2) {
    e.menu[MenuId::ON1].Checked = false;
    e.menu[MenuId::BGM_Btn].Caption = "効果音 OFF";
  }
}

void MenuHandlers::CG_FClick(MenuId item) {
  if (e.Cha_Timer.Enabled()) return;
  SetCGSpeed(menuDef(item).Tag);
}

void MenuHandlers::Mes_BtnClick() {
  if (e.Cha_Timer.Enabled() || e.CG_Timer.Enabled()) return;
  e.showModal(DialogKind::Readme);
}

void MenuHandlers::About_BtnClick() {
  if (e.Cha_Timer.Enabled() || e.CG_Timer.Enabled()) return;
  e.showModal(DialogKind::About);
}

void MenuHandlers::Text_BtnClick() {
  // The scene state is left as it is; a failed read leaves the script empty.
  if (!LoadScript(e.draw.pack, e.Script)) {
    e.showModal(DialogKind::Message, e.ownTexts.text(own::StartUp, own::ReloadFailed) + "\n" + e.draw.pack.path());
    return;
  }
  e.ownTexts = OwnTexts::read(e.Script);
}

void MenuHandlers::Test_BtnClick() {
  if (!e.draw.surfaces.backBufferCreated) return;
  e.ResetGame(Reset::SceneList);
}

void MenuHandlers::SetCGSpeed(int n) {
  static const MenuId items[] = {MenuId::CG_H, MenuId::CG_F, MenuId::CG_O};
  static const int intervals[] = {20, 40, 100};
  if (n < 1 || n > 3) return;
  for (int i = 0; i < 3; ++i) e.menu[items[i]].Checked = i == n - 1;
  e.menu[MenuId::CG_Btn].Caption = "CG " + e.menu[items[n - 1]].Caption;
  e.CG_Timer.setInterval(intervals[n - 1]);
  e.record.CGSpeed = n;
}

void MenuHandlers::InitSettings() {
  e.record.CGSpeed = 2;
  SetCGSpeed(e.record.CGSpeed);
}

}  // namespace shirakaba
