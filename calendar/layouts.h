// The calendar's button layouts, shared by its button drawing and its hit tests.
#pragma once
#include "engine/layouts.h"

namespace shirakaba {

// The evening menu's four buttons sit in the bar of the conversation's topics.
constexpr LayoutRec BarBtnLayout = TalkBtnLayout;
constexpr LayoutRec Step2Layout{150, 80, 150, 100, 30, 20, 2};
constexpr LayoutRec Step3Layout{450, 430, 46, 22, 10, 0, 2};
constexpr LayoutRec WalkLayout{215, 122, 110, 82, 7, 17, 3};
constexpr LayoutRec LunchLayout{206, 105, 100, 110, 30, 0, 3};
constexpr LayoutRec LunchExtraLayout{456, 240, 110, 82, 0, 0, 1};
constexpr LayoutRec Step17Layout{260, 170, 110, 82, 30, 0, 2};

}  // namespace shirakaba
