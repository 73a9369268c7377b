// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::ChoiceMenu(int) {}

}  // namespace shirakaba
