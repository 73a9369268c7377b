// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::StatusPanel(int) {}
void TXP_Form::StatusScreen(int) {}
int TXP_Form::TimeSlotOf(int32_t) const { return 2; }
std::string TXP_Form::AbilityText(int) const { return {}; }
std::string TXP_Form::StarText(int, int) const { return "-"; }
int32_t TXP_Form::JobRule(int, int) const { return 0; }
int32_t LimitValue(int32_t l, int32_t v) { return v; }

}  // namespace shirakaba
