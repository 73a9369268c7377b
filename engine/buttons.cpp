// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::DrawBtn(int, int, uint8_t) {}
void TXP_Form::DrawModeBtn(int, int, uint8_t) {}
void TXP_Form::DrawCalBtn(int, int, uint8_t) {}
void TXP_Form::DrawBtnBar(int) {}
int GalleryPos(int, int) { return 0; }

}  // namespace shirakaba
