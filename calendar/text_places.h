// Where the game writes its own texts on the screen (the status labels and the closing
// line) and the plates under them: said once for the screens that draw them and for
// the translation tools, which warn when a translated label runs past its plate.
#pragma once
#include "base/geometry.h"

namespace shirakaba {

// The top-left corner of a text and its size in points.
struct TextPlace {
  Point at;
  int points;
};

constexpr TextPlace kTimeLabelOnPanel{{106, 17}, 12};          // on the time panel
constexpr TextPlace kTimeLabelOnStatusScreen{{199, 202}, 12};  // on the status table
constexpr TextPlace kJobHeading{{100, 100}, 16};               // a job's name, or self-study
constexpr TextPlace kGradeLabel{{210, 100}, 14};               // beside the job's name
constexpr int kMarkColumnX = 210;                              // the marks or gains, 14 points
constexpr int kMarkPoints = 14;
constexpr TextPlace kClosingLine{{170, 420}, 14};  // the message band's top plus 20

// The plates, blended where their pictures' top-left corners go.
constexpr Point kTimePanelAt{6, 7};
constexpr Point kStatusTableAt{84, 182};
constexpr Point kPanelAt{80, 80};  // the calendar's panel: job, self-study, information

}  // namespace shirakaba
