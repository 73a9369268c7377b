// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::ResetAdv(int) {}
void TXP_Form::NextDay() {}
void TXP_Form::ApplyStats(int) {}
bool isTrainStep(int32_t s) { return (s >= 1 && s <= 5) || (s >= 8 && s <= 12) || s == 15 || s == 16 || s == 17 || s == 18 || s == 20 || s == 21; }

}  // namespace shirakaba
