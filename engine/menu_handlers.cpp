// The menu bar's handlers and the settings they change. Most do nothing while a
// transition runs ("idle" below: Cha_Timer not enabled).
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::Start_BtnClick() {
  if (Cha_Timer.Enabled() || !draw.backBufferCreated) return;
  ResetGame(1);
}

void TXP_Form::ReStart_BtnClick() {
  if (Cha_Timer.Enabled() || !draw.backBufferCreated) return;
  ResetGame(2);
}

void TXP_Form::ReSet_BtnClick() {
  if (Cha_Timer.Enabled() || !draw.backBufferCreated) return;
  // Stop every other timer first, so no pan, job bar or prompt runs into the title.
  for (Timer* t : {&CG_Timer, &J_Timer, &Ani_Timer, &Text_Timer})
    if (t->Enabled()) t->setEnabled(false);
  ResetGame(3);
}

void TXP_Form::Exit_BtnClick() {
  if (Cha_Timer.Enabled()) return;
  closeMainWindow();
}

void TXP_Form::ON1Click(MenuId item) {
  if (Cha_Timer.Enabled() || menu[item].Checked) return;
  menu[item].Checked = true;
  if (menu[item].Tag == 1) {
    menu[MenuId::OFF1].Checked = false;
    menu[MenuId::BGM_Btn].Caption = "効果音 ON";
  } else if (menu[item].Tag == 2) {
    menu[MenuId::ON1].Checked = false;
    menu[MenuId::BGM_Btn].Caption = "効果音 OFF";
  }
}

void TXP_Form::CG_FClick(MenuId item) {
  if (Cha_Timer.Enabled()) return;
  SetCGSpeed(menu[item].Tag);
}

void TXP_Form::Mes_BtnClick() {
  if (Cha_Timer.Enabled() || CG_Timer.Enabled()) return;
  showModal(DialogKind::Readme);
}

void TXP_Form::About_BtnClick() {
  if (Cha_Timer.Enabled() || CG_Timer.Enabled()) return;
  showModal(DialogKind::About);
}

void TXP_Form::Text_BtnClick() {
  // The scene state is left as it is; a failed read leaves the script empty.
  if (!LoadScript(draw.pack, Script))
    showModal(DialogKind::Message, "テキストを読み込めませんでした\n" + draw.pack.path());
}

void TXP_Form::Test_BtnClick() {
  if (!draw.backBufferCreated) return;
  ResetGame(4);
}

void TXP_Form::SetCGSpeed(int n) {
  static const MenuId items[] = {MenuId::CG_H, MenuId::CG_F, MenuId::CG_O};
  static const int intervals[] = {20, 40, 100};
  if (n < 1 || n > 3) return;
  for (int i = 0; i < 3; ++i) menu[items[i]].Checked = i == n - 1;
  menu[MenuId::CG_Btn].Caption = "CG " + menu[items[n - 1]].Caption;
  CG_Timer.setInterval(intervals[n - 1]);
  record.CGSpeed = n;
}

void TXP_Form::InitSettings() {
  record.CGSpeed = 2;
  SetCGSpeed(record.CGSpeed);
}

}  // namespace shirakaba
