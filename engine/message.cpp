// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::NextPage(int) {}
void TXP_Form::ShowFace(int, const std::string&) {}
void TXP_Form::DarkenWindow() {}
void TXP_Form::TextPrompt(int) {}
void TXP_Form::Text_TimerTimer() {}
void TXP_Form::ShowNotice(int, const std::string&) {}

}  // namespace shirakaba
