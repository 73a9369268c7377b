// Turning a point into the number of the region under it, by the same layout
// constants the buttons are drawn with. Slots count their left and top edges as
// inside and their right and bottom edges as outside; 0 is no region.
#pragma once
#include "engine/layouts.h"

namespace shirakaba {

// How a layout's slots are tested: a vertical list, a row, or a row of Cols slots
// with a second row below it (numbered on from Cols + 1).
enum class HitShape { List = 1, Row = 2, TwoRows = 3 };

int HitLayout(HitShape shape, int x, int y, LayoutRec layout);
// The shape that a layout's gaps give it.
HitShape shapeOf(const LayoutRec& l);
int hitAsShaped(int x, int y, const LayoutRec& l);
// `count` lists side by side, numbered on from one list to the next.
int HitColumns(int count, int x, int y, LayoutRec layout);
// The gallery's twelve rows of entries.
int HitGallery(int x, int y);
int PointInRect(int x, int y, const Rect& r);

}  // namespace shirakaba
