#include "headless/session.h"

#include <filesystem>
#include <system_error>

#include "headless/json_path.h"
#include "headless/png_writer.h"
#include "headless/state_json.h"

namespace shirakaba {

ReplaySession::ReplaySession(TXP_Form& form, std::ostream& out, std::ostream& err, std::string shotsDir)
    : form_(form), out_(out), err_(err), shotsDir_(std::move(shotsDir)) {}

StepResult ReplaySession::run(const Command& cmd, int lineNo) {
  // Once the window has closed only looking at what is left makes sense.
  if (form_.closed() && cmd.kind != CommandKind::State && cmd.kind != CommandKind::Expect &&
      cmd.kind != CommandKind::Shot && cmd.kind != CommandKind::Quit)
    return StepResult::Continue;

  switch (cmd.kind) {
    case CommandKind::Blank: break;
    case CommandKind::Wait: form_.advanceTo(form_.clock.now() + cmd.ms); break;
    case CommandKind::Settle: return settle(lineNo);
    case CommandKind::Down: form_.mouseDown(cmd.button, cmd.x, cmd.y); break;
    case CommandKind::Up: form_.mouseUp(cmd.button, cmd.x, cmd.y); break;
    case CommandKind::Move: form_.mouseMove(cmd.x, cmd.y); break;
    case CommandKind::Click:
      form_.mouseDown(cmd.button, cmd.x, cmd.y);
      form_.mouseUp(cmd.button, cmd.x, cmd.y);
      break;
    case CommandKind::Menu: form_.menuClick(cmd.item); break;
    case CommandKind::Call: form_.callHandler(cmd.item); break;
    case CommandKind::Mode: form_.SetMode(cmd.value); break;
    case CommandKind::DialogClose: form_.dialogClosed(); break;
    case CommandKind::Shot: return shot(cmd, lineNo);
    case CommandKind::State:
      out_ << toJsonText(buildStateJson(form_)) << '\n';
      out_.flush();
      form_.soundsStarted.clear();  // each state lists the sounds since the one before
      break;
    case CommandKind::Rand: form_.random.force(cmd.value); break;
    case CommandKind::Expect: return expect(cmd, lineNo);
    case CommandKind::Quit: return StepResult::Quit;
  }
  return StepResult::Continue;
}

StepResult ReplaySession::settle(int lineNo) {
  const auto busy = [&] {
    return form_.Cha_Timer.Enabled() || form_.CG_Timer.Enabled() || form_.J_Timer.Enabled();
  };
  const int64_t limit = form_.clock.now() + kSettleLimitMs;
  while (busy() && !form_.closed()) {
    if (!form_.clock.fireNext(limit)) {
      err_ << "line " << lineNo << ": settle: the game did not come to rest within "
           << kSettleLimitMs / 60000 << " virtual minutes\n";
      return StepResult::Failed;
    }
  }
  return StepResult::Continue;
}

StepResult ReplaySession::expect(const Command& cmd, int lineNo) {
  const Json state = buildStateJson(form_);
  const Json* actual = lookupPath(state, cmd.name);
  if (actual && *actual == cmd.expected) return StepResult::Continue;
  err_ << "line " << lineNo << ": " << cmd.name << " expected " << toJsonText(cmd.expected) << ", got "
       << (actual ? toJsonText(*actual) : std::string("(no such field)")) << '\n';
  return StepResult::Failed;
}

StepResult ReplaySession::shot(const Command& cmd, int lineNo) {
  std::error_code ec;
  std::filesystem::create_directories(shotsDir_, ec);
  const std::string path = (std::filesystem::path(shotsDir_) / (cmd.name + ".png")).string();
  const Result<void> written = writeScreenPng(path, form_.screen(), form_.draw.imageBaVisible, kScreenW, kScreenH);
  if (written) return StepResult::Continue;
  err_ << "line " << lineNo << ": shot: " << written.error() << '\n';
  return StepResult::Failed;
}

}  // namespace shirakaba
