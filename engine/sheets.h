// Where the bands of button cells start on the sprite sheets of the pack: each band
// holds a button's looks side by side (or its items, a row per look).
#pragma once
#include "base/geometry.h"

namespace shirakaba::sheet {

constexpr Point TitleCells{0, 0};         // picture 5
constexpr Point BarCells{0, 32};          // picture 9, the topics below the bar
constexpr Point EveningCells{0, 98};      // picture 9, 32 + 3 rows of 22
constexpr Point Step17Cells{0, 164};      // picture 9, 32 + 6 rows of 22
constexpr Point SmallCells{0, 328};       // picture 9, 164 + 2 rows of 82
constexpr Point ReturnCells{92, 328};     // picture 9, the third small column
constexpr Point StatusCells{0, 372};      // picture 9, 328 + 2 rows of 22
constexpr Point Step2Cells{264, 0};       // picture 9, right part
constexpr Point LunchCells{414, 0};       // picture 9, right part
constexpr Point PlaceCells{0, 0};         // picture 13, one row per place code
constexpr Point LunchExtraCells{0, 410};  // picture 13, the row of place code 6

constexpr Rect BarCell{0, 0, 264, 32};    // picture 9: the bar under four buttons
constexpr Rect PanelCell{0, 0, 130, 28};  // picture 8: the viewer's panel
constexpr int ViewerBtnTop = 28;          // picture 8, below the panel

}  // namespace shirakaba::sheet
