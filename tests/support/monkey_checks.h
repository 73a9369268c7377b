// The invariants the monkey checks after every event, and its coverage summary.
#pragma once
#include <string>

#include "engine/form.h"

namespace shirakaba::test {

// The first invariant the form breaks, in words, or empty.
std::string brokenInvariant(const TXP_Form& form);
// Whether a new game has just begun: the opening scene runs, or day 1 is shown.
bool newGameStarted(const TXP_Form& form);
// One line of the state for the event log.
std::string stateSummary(const TXP_Form& form);

}  // namespace shirakaba::test
