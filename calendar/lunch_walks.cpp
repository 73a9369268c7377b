// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::LunchBreak(int) {}
void TXP_Form::WalkScreen(int) {}
void TXP_Form::StudyScreen(int) {}
void TXP_Form::InfoScreen(int) {}
void TXP_Form::TalkScreen(int) {}
int TXP_Form::PlaceOfButton(int) const { return 0; }
int TXP_Form::PlaceClosed(int) const { return 0; }
std::string TXP_Form::PlaceLabel(int) { return {}; }

}  // namespace shirakaba
