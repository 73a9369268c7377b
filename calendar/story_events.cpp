// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::ArmEvent(const std::string&) {}
void TXP_Form::DayEvents(int) {}
void TXP_Form::EventScript(int, const std::string&) {}
void TXP_Form::CheckArmed() {}
void TXP_Form::CheckVisit() {}
void TXP_Form::CheckTalk() {}
void TXP_Form::StartEvent(int) {}
int TXP_Form::OptionLocked(int) const { return 0; }

}  // namespace shirakaba
