// The calendar's buttons: one cell of a sheet per button and look, in the slot that the
// layout of the present step gives it (buttons.cpp); the calendar's hit test uses the
// same layouts.
#pragma once
#include "calendar/training_state.h"
#include "engine/draw.h"
#include "engine/engine.h"

namespace shirakaba {

// The place code that walk button b leads to in the present area; 0 for none.
int PlaceOfButton(const TrainingState& train, int b);
void DrawCalBtn(DrawContext& draw, const TrainingState& train, Look look, int item, Target target);

}  // namespace shirakaba
