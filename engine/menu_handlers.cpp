// The menu bar's handlers and the settings they change. Most do nothing while a
// transition runs (Cha_Timer enabled).
#include "engine/engine.h"

namespace shirakaba {

// While a modal dialog is open, the menu takes no commands; the timers go on.
void Engine::menuClick(MenuId id) {
  if (!menu.reachable(id)) return;
  callHandler(id);
}

void Engine::callHandler(MenuId id) {
  if (shell.closed || modalOpen()) return;
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

void Engine::Start_BtnClick() {
  if (Cha_Timer.Enabled() || !draw.surfaces.backBufferCreated) return;
  ResetGame(Reset::NewGame);
}

void Engine::ReStart_BtnClick() {
  if (Cha_Timer.Enabled() || !draw.surfaces.backBufferCreated) return;
  ResetGame(Reset::Resume);
}

void Engine::ReSet_BtnClick() {
  if (Cha_Timer.Enabled() || !draw.surfaces.backBufferCreated) return;
  // Stop every other timer first, so no pan, job bar or prompt runs into the title.
  for (Timer* t : {&CG_Timer, &J_Timer, &Ani_Timer, &Text_Timer})
    if (t->Enabled()) t->setEnabled(false);
  ResetGame(Reset::ToTitle);
}

void Engine::Exit_BtnClick() {
  if (Cha_Timer.Enabled()) return;
  closeMainWindow();
}

void Engine::ON1Click(MenuId item) {
  if (Cha_Timer.Enabled() || menu[item].Checked) return;
  menu[item].Checked = true;
  if (menuDef(item).Tag == 1) {
    menu[MenuId::OFF1].Checked = false;
    menu[MenuId::BGM_Btn].Caption = "効果音 ON";
  } else if (menuDef(item).Tag == 2) {
    menu[MenuId::ON1].Checked = false;
    menu[MenuId::BGM_Btn].Caption = "効果音 OFF";
  }
}

void Engine::CG_FClick(MenuId item) {
  if (Cha_Timer.Enabled()) return;
  SetCGSpeed(menuDef(item).Tag);
}

void Engine::Mes_BtnClick() {
  if (Cha_Timer.Enabled() || CG_Timer.Enabled()) return;
  showModal(DialogKind::Readme);
}

void Engine::About_BtnClick() {
  if (Cha_Timer.Enabled() || CG_Timer.Enabled()) return;
  showModal(DialogKind::About);
}

void Engine::Text_BtnClick() {
  // The scene state is left as it is; a failed read leaves the script empty.
  if (!LoadScript(draw.pack, Script)) {
    showModal(DialogKind::Message, ownTexts.text(own::StartUp, own::ReloadFailed) + "\n" + draw.pack.path());
    return;
  }
  ownTexts = OwnTexts::read(Script);
}

void Engine::Test_BtnClick() {
  if (!draw.surfaces.backBufferCreated) return;
  ResetGame(Reset::SceneList);
}

void Engine::SetCGSpeed(int n) {
  static const MenuId items[] = {MenuId::CG_H, MenuId::CG_F, MenuId::CG_O};
  static const int intervals[] = {20, 40, 100};
  if (n < 1 || n > 3) return;
  for (int i = 0; i < 3; ++i) menu[items[i]].Checked = i == n - 1;
  menu[MenuId::CG_Btn].Caption = "CG " + menu[items[n - 1]].Caption;
  CG_Timer.setInterval(intervals[n - 1]);
  record.CGSpeed = n;
}

void Engine::InitSettings() {
  record.CGSpeed = 2;
  SetCGSpeed(record.CGSpeed);
}

}  // namespace shirakaba
