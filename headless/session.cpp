#include "headless/session.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <system_error>

#include "base/png.h"
#include "headless/json_path.h"
#include "saves/save_slots.h"

namespace shirakaba {

ReplaySession::ReplaySession(GameCore& game, std::ostream& out, std::ostream& err, std::string shotsDir,
                             std::ostream* textLog)
    : game_(game), out_(out), err_(err), shotsDir_(std::move(shotsDir)), textLog_(textLog) {
  takeEvents();  // what the start-up did
}

StepResult ReplaySession::run(const Command& cmd, int lineNo) {
  if (cmd.kind != CommandKind::Expect && cmd.kind != CommandKind::Blank) expected_.reset();
  const StepResult r = step(cmd, lineNo);
  takeEvents();
  return r;
}

void ReplaySession::takeEvents() {
  for (GameEvent& event : game_.takeEvents()) {
    if (auto* sound = std::get_if<SoundStarted>(&event)) {
      sounds_.push_back(std::move(sound->file));
    } else if (auto* text = std::get_if<TextShown>(&event)) {
      if (textLog_) *textLog_ << text->text << '\n' << std::flush;
    } else if (auto* line = std::get_if<LogLine>(&event)) {
      err_ << "shirakaba: " << line->text << '\n';
    }
    // Dialogs stay open until `dialog close`; a closed window shows in the state.
  }
}

StepResult ReplaySession::step(const Command& cmd, int lineNo) {
  // Once the window has closed only looking at what is left makes sense.
  if (game_.closed() && cmd.kind != CommandKind::State && cmd.kind != CommandKind::Expect &&
      cmd.kind != CommandKind::Shot && cmd.kind != CommandKind::Quit)
    return StepResult::Continue;

  switch (cmd.kind) {
    case CommandKind::Blank: break;
    case CommandKind::Wait: game_.advanceTo(game_.now() + cmd.ms); break;
    case CommandKind::Settle: return settle(lineNo);
    case CommandKind::Down: game_.pointerPress(cmd.button, cmd.x, cmd.y); break;
    case CommandKind::Up: game_.pointerRelease(cmd.button, cmd.x, cmd.y); break;
    case CommandKind::Move: game_.pointerMove(cmd.x, cmd.y); break;
    case CommandKind::Click:
      game_.pointerPress(cmd.button, cmd.x, cmd.y);
      game_.pointerRelease(cmd.button, cmd.x, cmd.y);
      break;
    case CommandKind::Menu: game_.menuCommand(cmd.item); break;
    case CommandKind::Call: game_.callHandler(cmd.item); break;
    case CommandKind::Mode: game_.setMode(cmd.value); break;
    case CommandKind::DialogClose: game_.dialogClosed(); break;
    case CommandKind::Shot: return shot(cmd, lineNo);
    case CommandKind::State:
      out_ << toJsonText(game_.describe(sounds_)) << '\n';
      out_.flush();
      sounds_.clear();  // each state lists the sounds since the one before
      break;
    case CommandKind::Rand: game_.forceRandom(cmd.value); break;
    case CommandKind::Expect: return expect(cmd, lineNo);
    case CommandKind::Save: save(cmd, lineNo); break;
    case CommandKind::Load: load(cmd, lineNo); break;
    case CommandKind::Quit: return StepResult::Quit;
  }
  return StepResult::Continue;
}

StepResult ReplaySession::settle(int lineNo) {
  const int64_t limit = game_.now() + kSettleLimitMs;
  while (game_.busy() && !game_.closed()) {
    if (!game_.fireNext(limit)) {
      err_ << "line " << lineNo << ": settle: the game did not come to rest within "
           << kSettleLimitMs / 60000 << " virtual minutes\n";
      return StepResult::Failed;
    }
  }
  return StepResult::Continue;
}

StepResult ReplaySession::expect(const Command& cmd, int lineNo) {
  if (!expected_) expected_ = game_.describe(sounds_);
  const Json* actual = lookupPath(*expected_, cmd.name);
  if (actual && *actual == cmd.expected) return StepResult::Continue;
  err_ << "line " << lineNo << ": " << cmd.name << " expected " << toJsonText(cmd.expected) << ", got "
       << (actual ? toJsonText(*actual) : std::string("(no such field)")) << '\n';
  return StepResult::Failed;
}

StepResult ReplaySession::shot(const Command& cmd, int lineNo) {
  std::error_code ec;
  std::filesystem::create_directories(shotsDir_, ec);
  const std::string path = (std::filesystem::path(shotsDir_) / (cmd.name + ".png")).string();
  const Result<void> written = writeScreenPng(path, game_.screen(), game_.screenVisible(), kGameWidth, kGameHeight);
  if (written) return StepResult::Continue;
  err_ << "line " << lineNo << ": shot: " << written.error() << '\n';
  return StepResult::Failed;
}

// A refused save or load is reported and the replay goes on: the game is unchanged.
Result<std::string> ReplaySession::savePath(const std::string& name) const {
  if (name.rfind("slot:", 0) != 0) return name;
  const auto slot = parseSaveSlot(name.substr(5));
  if (!slot) return fail("unknown slot " + name.substr(5) + " (quick, auto or 1..12)");
  auto identity = game_.dataIdentity();
  if (!identity.ok()) return fail("there is no game data (" + identity.error() + ")");
  return SaveSlots(userDir_.empty() ? defaultUserDir() : userDir_, identity.value()).pathOf(*slot);
}

void ReplaySession::save(const Command& cmd, int lineNo) {
  auto path = savePath(cmd.name);
  auto saved = path.ok() ? saveGame(game_, path.value(), playClock_.elapsed(game_), unixMillisNow())
                         : Result<SaveInfo>(fail(path.error()));
  if (!saved.ok()) err_ << "save: " << saved.error() << " (line " << lineNo << ")\n";
}

void ReplaySession::load(const Command& cmd, int lineNo) {
  auto path = savePath(cmd.name);
  auto loaded = path.ok() ? loadGame(game_, path.value()) : Result<SaveInfo>(fail(path.error()));
  if (!loaded.ok()) {
    err_ << "load: " << loaded.error() << " (line " << lineNo << ")\n";
    return;
  }
  playClock_.resetTo(game_, loaded.value().playTimeMs);
}

}  // namespace shirakaba
