// Not built yet.
#include "engine/form.h"

namespace shirakaba {

std::string TXP_Form::GetSceneLabel() const { return {}; }
int TXP_Form::FindScene() const { return 0; }
int32_t TXP_Form::ScriptInt(const std::string&) const { return 0; }
int32_t TXP_Form::CommandAt(int) const { return 0; }
int TXP_Form::FindCG(const std::string&) const { return 0; }
void TXP_Form::RunCommand(int) {}
void TXP_Form::DrawBackground(const std::string&, uint8_t) {}
void TXP_Form::PlaceSprite(int, const std::string&, uint8_t) {}

}  // namespace shirakaba
