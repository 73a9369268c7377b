// Not built yet.
#include "engine/form.h"

namespace shirakaba {

void TXP_Form::ImageBaMouseDown(MouseButton, int, int) {}
void TXP_Form::ImageBaMouseUp(MouseButton, int, int) {}
void TXP_Form::ImageBaMouseMove(int, int) {}
int TXP_Form::HitTest(int, int) const { return 0; }
int HitLayout(int, int, int, LayoutRec) { return 0; }
int HitColumns(int, int, int, LayoutRec) { return 0; }
int HitGallery(int, int) { return 0; }
int PointInRect(int, int, const Rect&) { return 0; }

}  // namespace shirakaba
