// Runs replay commands against a form in virtual time.
#pragma once
#include <ostream>
#include <string>

#include "headless/replay.h"
#include "engine/form.h"

namespace shirakaba {

enum class StepResult { Continue, Quit, Failed };

// `settle` gives up after this much virtual time.
constexpr int64_t kSettleLimitMs = 10 * 60 * 1000;

class ReplaySession {
 public:
  // `state` lines go to out (flushed at once); failures to err.
  ReplaySession(TXP_Form& form, std::ostream& out, std::ostream& err, std::string shotsDir);
  // Runs one command read from line `lineNo` of the replay.
  StepResult run(const Command& cmd, int lineNo);

 private:
  StepResult settle(int lineNo);
  StepResult expect(const Command& cmd, int lineNo);
  StepResult shot(const Command& cmd, int lineNo);

  TXP_Form& form_;
  std::ostream& out_;
  std::ostream& err_;
  std::string shotsDir_;
};

}  // namespace shirakaba
