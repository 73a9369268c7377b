// Not built yet.
#include "engine/form.h"

namespace shirakaba {
TXP_Form::TXP_Form(Host& h, FormConfig cfg)
    : host(h), config(std::move(cfg)),
      Cha_Timer(clock, "Cha_Timer", 500, 0), CG_Timer(clock, "CG_Timer", 40, 1),
      J_Timer(clock, "J_Timer", 100, 2), Ani_Timer(clock, "Ani_Timer", 200, 3),
      Text_Timer(clock, "Text_Timer", 400, 4) {}
void TXP_Form::mouseDown(MouseButton, int, int) {}
void TXP_Form::mouseUp(MouseButton, int, int) {}
void TXP_Form::mouseMove(int, int) {}
void TXP_Form::menuClick(MenuId) {}
void TXP_Form::callHandler(MenuId) {}
void TXP_Form::dialogClosed() {}
std::string TXP_Form::packPath() const { return gamePath("data/lumora.red"); }
std::string TXP_Form::gamePath(const std::string& r) const { return config.gameDir + "/" + r; }
void TXP_Form::FormCreate() {}
void TXP_Form::FormClose() {}
void TXP_Form::SetupBuffers(int) {}
void TXP_Form::SetMode(int32_t) {}
void TXP_Form::ArmTick(int) {}
void TXP_Form::ModeStep(int) {}
void TXP_Form::Cha_TimerTimer() {}
void TXP_Form::ResetGame(int) {}
void TXP_Form::UpdateRecord(int) {}
void TXP_Form::MarkCGSeen(int) {}
void TXP_Form::ClearButtons() {}
void TXP_Form::Start_BtnClick() {}
void TXP_Form::ReStart_BtnClick() {}
void TXP_Form::ReSet_BtnClick() {}
void TXP_Form::Exit_BtnClick() {}
void TXP_Form::ON1Click(MenuId) {}
void TXP_Form::CG_FClick(MenuId) {}
void TXP_Form::Mes_BtnClick() {}
void TXP_Form::About_BtnClick() {}
void TXP_Form::Text_BtnClick() {}
void TXP_Form::Test_BtnClick() {}
void TXP_Form::SetCGSpeed(int) {}
void TXP_Form::InitSettings() {}
void TXP_Form::showModal(DialogKind, const std::string&) {}
void TXP_Form::WipeStep(int) {}
void TXP_Form::ShowCG() {}
void TXP_Form::EndCG() {}
void TXP_Form::CG_TimerTimer() {}
const CGRec& TXP_Form::CGTable(int n) const { return config.cgTable[n >= 1 && n <= 7 ? n : 0]; }
void TXP_Form::PlaySE(int) {}
}  // namespace shirakaba
