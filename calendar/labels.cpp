// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::FollowScene() {}
void TXP_Form::HintText() {}
std::string TXP_Form::InfoLabel() const { return {}; }

}  // namespace shirakaba
