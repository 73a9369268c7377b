// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::JobScreen(int) {}
void TXP_Form::JobAnim(int) {}
void TXP_Form::J_TimerTimer() {}
int TXP_Form::DrawGrade(int) { return 0; }
void TXP_Form::JobResultScreen(int) {}

}  // namespace shirakaba
