// The status panel: the trainee's progress written at fixed places as labels (the time
// of day, the marks and gains of a job, the grade, the abilities, the stars of the
// relations). It draws the training state only, for the calendar's screens and the
// status screen.
#pragma once
#include <string>

#include "calendar/training_state.h"
#include "engine/draw.h"
#include "engine/own_texts.h"

namespace shirakaba {

// What StatusPanel writes: the calendar's time panel, the status screen's figures,
// the job preview and result, self-study, the relations of the information screen.
enum class StatusView { TimePanel = 0, StatusScreen = 2, JobPreview = 3, JobResult = 4, SelfStudy = 5, Relations = 6 };
// The three rows of stars of a character.
enum class StarRow { Affection = 1, RatingB = 2, RatingC = 3 };

void StatusPanel(DrawContext& draw, const OwnTexts& texts, const TrainingState& train, StatusView view);
// The time of day 1..6 (TimeLabels) of a step.
int TimeSlotOf(const TrainingState& train, TrainStep step);
std::string AbilityText(const TrainingState& train, int i);
std::string StarText(const TrainingState& train, StarRow row, int k);

}  // namespace shirakaba
