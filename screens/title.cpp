// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::OpeningScreen() {}
void TXP_Form::TitleMenu(int) {}
void TXP_Form::EndScreen(int) {}

}  // namespace shirakaba
