#include "headless/session.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <system_error>

#include "base/files.h"
#include "base/png.h"
#include "headless/json_path.h"
#include "saves/save_slots.h"

namespace shirakaba {

ReplaySession::ReplaySession(GameCore& game, std::ostream& out, std::ostream& err, std::string shotsDir,
                             std::ostream* textLog)
    : game_(game), out_(out), err_(err), shotsDir_(std::move(shotsDir)), textLog_(textLog), comforts_(game) {
  comforts_.setRecording(false);
  takeEvents();  // what the start-up did
}

StepResult ReplaySession::run(const Command& cmd, int lineNo) {
  if (cmd.kind != CommandKind::Expect && cmd.kind != CommandKind::Blank) expected_.reset();
  const StepResult r = step(cmd, lineNo);
  if (!game_.closed()) comforts_.react();  // pages read, the history; skipping and auto act
  takeEvents();
  return r;
}

void ReplaySession::takeEvents() {
  if (const std::optional<std::string> problem = comforts_.takeReadPagesProblem())
    err_ << "shirakaba: the pages read are not remembered: " << *problem << '\n';
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
    case CommandKind::Wait: return wait(cmd.ms);
    case CommandKind::Settle: return settle(lineNo);
    case CommandKind::Down: comforts_.press(cmd.button, cmd.x, cmd.y); break;
    case CommandKind::Up: comforts_.release(cmd.button, cmd.x, cmd.y); break;
    case CommandKind::Move: comforts_.move(cmd.x, cmd.y); break;
    case CommandKind::Click:
      comforts_.press(cmd.button, cmd.x, cmd.y);
      comforts_.release(cmd.button, cmd.x, cmd.y);
      break;
    case CommandKind::Menu: comforts_.menuCommand(cmd.item); break;
    case CommandKind::Call: game_.callHandler(cmd.item); break;
    case CommandKind::Mode: game_.setMode(cmd.value); break;
    case CommandKind::DialogClose: game_.dialogClosed(); break;
    case CommandKind::Shot: return shot(cmd, lineNo);
    case CommandKind::State:
      out_ << toJsonText(describe()) << '\n';
      out_.flush();
      sounds_.clear();  // each state lists the sounds since the one before
      break;
    case CommandKind::Rand: game_.forceRandom(cmd.value); break;
    case CommandKind::Expect: return expect(cmd, lineNo);
    case CommandKind::Save: save(cmd, lineNo); break;
    case CommandKind::Load: load(cmd, lineNo); break;
    case CommandKind::Rollback: comforts_.rollBack(cmd.value); break;  // as far as the history reaches
    case CommandKind::Forward:
      for (int i = 0; i < cmd.value; ++i)
        if (!comforts_.rollForward()) break;  // as far as the way forward reaches
      break;
    case CommandKind::Skip:
      comforts_.setSkip(cmd.value == 2 ? SkipMode::All : cmd.value == 1 ? SkipMode::Read : SkipMode::Off);
      break;
    case CommandKind::Auto: comforts_.setAuto(cmd.value == 1); break;
    case CommandKind::Quit: return StepResult::Quit;
  }
  return StepResult::Continue;
}

Json ReplaySession::describe() const {
  Json state = game_.describe(sounds_);
  static const char* const kSkip[] = {"off", "read", "all"};
  Json aids = Json::object();
  aids["skip"] = kSkip[static_cast<int>(comforts_.skip())];
  aids["auto"] = comforts_.autoOn();
  aids["rollback"] = comforts_.rollback().points();
  aids["ahead"] = comforts_.rollback().pointsAhead();
  aids["history"] = comforts_.history().size();
  Json entries = Json::array();
  for (size_t i = 0; i < comforts_.history().size(); ++i) {
    const HistoryEntry& e = comforts_.history()[i];
    entries.push_back(Json{{"choice", e.choice}, {"page", e.page}, {"lines", e.lines}});
  }
  aids["historyEntries"] = std::move(entries);
  aids["read"] = comforts_.readPages().size();
  state["aids"] = std::move(aids);
  return state;
}

void ReplaySession::setUserDir(std::string dir) {
  userDir_ = std::move(dir);
  if (!userDir_.empty()) comforts_.keepReadPagesIn(userDir_);
}

// With skipping or auto mode on, time runs until they stop or the wait is over.
StepResult ReplaySession::wait(int64_t ms) {
  if (comforts_.active()) comforts_.advance(game_.now() + ms);
  else game_.advanceTo(game_.now() + ms);
  return StepResult::Continue;
}

StepResult ReplaySession::settle(int lineNo) {
  const int64_t limit = game_.now() + kSettleLimitMs;
  if (comforts_.active()) {
    comforts_.advance(limit);
    if (comforts_.active()) {
      err_ << "line " << lineNo << ": settle: skipping or auto mode did not stop within "
           << kSettleLimitMs / 60000 << " virtual minutes\n";
      return StepResult::Failed;
    }
  }
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
  if (!expected_) expected_ = describe();
  const Json* actual = lookupPath(*expected_, cmd.name);
  if (actual && *actual == cmd.expected) return StepResult::Continue;
  err_ << "line " << lineNo << ": " << cmd.name << " expected " << toJsonText(cmd.expected) << ", got "
       << (actual ? toJsonText(*actual) : std::string("(no such field)")) << '\n';
  return StepResult::Failed;
}

StepResult ReplaySession::shot(const Command& cmd, int lineNo) {
  (void)makeFolders(shotsDir_);  // a failure shows in the write's error
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
  // As in the window, a slot never takes the logo or the title in place of a game.
  if (path.ok() && cmd.name.rfind("slot:", 0) == 0 && !game_.gameUnderWay())
    path = fail("no game is under way yet; start or load one first");
  auto saved = path.ok() ? saveGame(game_, path.value(), playClock_.elapsed(game_), unixMillisNow(),
                                    comforts_.history().entries())
                         : Result<SaveInfo>(fail(path.error()));
  if (!saved.ok()) err_ << "save: " << saved.error() << " (line " << lineNo << ")\n";
}

void ReplaySession::load(const Command& cmd, int lineNo) {
  auto path = savePath(cmd.name);
  std::vector<SavedPage> history;
  auto loaded = path.ok() ? loadGame(game_, path.value(), &history) : Result<SaveInfo>(fail(path.error()));
  if (!loaded.ok()) {
    err_ << "load: " << loaded.error() << " (line " << lineNo << ")\n";
    return;
  }
  playClock_.resetTo(game_, loaded.value().playTimeMs);
  comforts_.startNewHistory(history);
}

}  // namespace shirakaba
