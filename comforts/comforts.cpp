#include "comforts/comforts.h"

#include <algorithm>
#include <utility>

#include "base/text.h"

namespace shirakaba {

Comforts::Comforts(GameCore& core)
    : core_(core), read_(std::make_unique<ReadPages>()), gamesStarted_(core.gamesStarted()) {}

// ---- Input ----

void Comforts::press(MouseButton b, int x, int y) {
  if (b == MouseButton::Left && core_.takesPress()) {
    pressedPage_ = core_.waiting() == Waiting::Page ? core_.pageKey() : -1;
    takePress();
  }
  core_.pointerPress(b, x, y);
}

void Comforts::release(MouseButton b, int x, int y) {
  core_.pointerRelease(b, x, y);
  takeRelease();
  // The player has read a page once the click has turned it.
  const int page = std::exchange(pressedPage_, -1);
  if (page >= 0 && !(core_.waiting() == Waiting::Page && core_.pageKey() == page)) read_->add(page);
}

// The game is about to take a left press: it leaves a rollback point with the history
// up to the screen it is taken on (a page not looked at yet included).
void Comforts::takePress() {
  if (core_.waiting() == Waiting::Page) notePage();
  if (recording_) rollback_.record(core_, history_);
  choiceOnScreen_ = core_.choiceTexts();
}

void Comforts::takeRelease() {
  if (!choiceOnScreen_.empty() && core_.choiceTexts().empty()) {
    const int k = core_.choiceTaken();
    if (k >= 1 && k <= static_cast<int>(choiceOnScreen_.size())) history_.add(HistoryEntry{{choiceOnScreen_[k - 1]}, true});
    choiceOnScreen_.clear();
  }
  checkNewGame();
}

void Comforts::move(int x, int y) { core_.pointerMove(x, y); }

void Comforts::menuCommand(MenuId id) {
  if (recording_ && core_.takesMenuCommand(id)) rollback_.record(core_, history_);
  core_.menuCommand(id);
  checkNewGame();
}

void Comforts::checkNewGame() {
  if (core_.gamesStarted() == gamesStarted_) return;
  gamesStarted_ = core_.gamesStarted();
  rollback_.clear();
}

// ---- Rollback ----

int Comforts::rollBack(int n) {
  PageHistory history = history_;
  const int steps = rollback_.back(core_, n, &history);
  if (steps > 0) returnedTo(std::move(history));
  return steps;
}

bool Comforts::rollForward() {
  PageHistory history = history_;
  if (!rollback_.forward(core_, &history)) return false;
  returnedTo(std::move(history));
  return true;
}

// The game stands where `history` led: a page on the screen is the history's last
// already, and is on the screen again.
void Comforts::returnedTo(PageHistory history) {
  history_ = std::move(history);
  pageKey_ = core_.pageKey();
  onPage_ = core_.waiting() == Waiting::Page && !history_.empty() && !history_.back().choice &&
            history_.back().page == pageKey_;
  pageSince_ = core_.now();
  newPage_ = onPage_;
  pressedPage_ = -1;
  choiceOnScreen_.clear();
}

void Comforts::startNewHistory(const std::vector<HistoryEntry>& saved) {
  rollback_.clear();
  gamesStarted_ = core_.gamesStarted();
  returnedTo(PageHistory(saved));
}

// ---- Skipping and auto mode ----

void Comforts::keepReadPagesIn(const std::string& userDir) {
  auto identity = core_.dataIdentity();
  if (!identity.ok()) return;
  auto kept = std::make_unique<ReadPages>(userDir, identity.value());
  // What was read before the folder was known is not lost.
  kept->addAll(*read_);
  read_ = std::move(kept);
}

// A click where skipping or auto mode turn the page.
void Comforts::click(bool turnsRead) {
  const int page = core_.pageKey();
  if (core_.takesPress()) takePress();
  core_.pointerPress(MouseButton::Left, kClickX, kClickY);
  core_.pointerRelease(MouseButton::Left, kClickX, kClickY);
  takeRelease();
  if (turnsRead) read_->add(page);
}

void Comforts::stop() {
  skip_ = SkipMode::Off;
  held_ = false;
  auto_ = false;
}

// A page waiting that has not been seen yet goes into the history.
void Comforts::notePage() {
  if (onPage_ && pageKey_ == core_.pageKey()) return;
  onPage_ = true;
  pageKey_ = core_.pageKey();
  pageSince_ = core_.now();
  newPage_ = true;
  history_.add(HistoryEntry{core_.pageLines(), false, pageKey_});
}

int64_t Comforts::autoDue() const {
  size_t characters = 0;
  for (const std::string& line : history_.back().lines) characters += utf8ToCodepoints(line).size();
  return pageSince_ + speed_.baseMs + speed_.perCharacterMs * static_cast<int64_t>(characters);
}

int64_t Comforts::react() {
  // A click may bring the next page (or a decision) at once: look again after each.
  for (int clicks = 0; clicks < 10000; ++clicks) {
    const Waiting w = core_.waiting();
    if (w == Waiting::Busy) return -1;
    if (w == Waiting::Decision) {
      onPage_ = false;
      if (held_) {
        auto_ = false;
        return -1;
      }
      stop();
      return -1;
    }
    notePage();
    const bool unread = !read_->contains(pageKey_);
    const bool skipping = skip_ == SkipMode::All || (skip_ == SkipMode::Read && !unread);
    if (skip_ == SkipMode::Read && unread && !held_) {
      stop();
      return -1;
    }
    // Not skipped (a held skip waits on an unread page for the player): auto mode's page.
    if (!skipping) {
      if (!auto_) return -1;
      const int64_t due = autoDue();
      if (core_.now() < due) return due;
    }
    click(!skipping);
  }
  return -1;
}

void Comforts::advance(int64_t until) {
  const bool wasActive = active();
  for (;;) {
    const int64_t wake = react();
    if (wasActive && !active()) return;
    const int64_t due = core_.nextDue();
    const bool pauseFirst = wake >= 0 && (due < 0 || wake < due);
    const int64_t next = pauseFirst ? wake : due;
    if (next < 0 || next > until) break;
    // One timer at a time, so that a page gets its click the moment it waits.
    if (pauseFirst) core_.advanceTo(wake);
    else core_.fireNext(due);
  }
  core_.advanceTo(until);
  react();
}

// ---- The pages ----

namespace {

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

}  // namespace

std::string Comforts::pageText() const { return joinLines(core_.pageLines()); }

std::string Comforts::screenText() const { return joinLines(core_.textOnScreen()); }

std::optional<std::string> Comforts::takeNewPage() {
  if (!newPage_) return std::nullopt;
  newPage_ = false;
  return pageText();
}

}  // namespace shirakaba
