// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::CalendarEnter() {}
void TXP_Form::CalendarReady() {}
void TXP_Form::CalendarPress() {}
void TXP_Form::CalendarRelease() {}
void TXP_Form::RedrawCalendar() {}
void TXP_Form::NightMenu(int) {}

}  // namespace shirakaba
