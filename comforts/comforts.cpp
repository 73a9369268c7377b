#include "comforts/comforts.h"

#include <algorithm>

#include "base/text.h"

namespace shirakaba {

Comforts::Comforts(GameCore& core)
    : core_(core), read_(std::make_unique<ReadPages>()), gamesStarted_(core.gamesStarted()) {}

// ---- Input ----

void Comforts::press(MouseButton b, int x, int y) {
  if (b == MouseButton::Left && core_.takesPress()) {
    if (recording_) rollback_.record(core_, history_.size());
    choiceOnScreen_ = core_.choiceTexts();
  }
  core_.pointerPress(b, x, y);
}

void Comforts::release(MouseButton b, int x, int y) {
  core_.pointerRelease(b, x, y);
  if (!choiceOnScreen_.empty() && core_.choiceTexts().empty()) {
    const int k = core_.choiceTaken();
    if (k >= 1 && k <= static_cast<int>(choiceOnScreen_.size())) {
      history_.push_back(HistoryEntry{{choiceOnScreen_[k - 1]}, true});
      if (history_.size() > kHistoryPages) history_.pop_front();
    }
    choiceOnScreen_.clear();
  }
  checkNewGame();
}

void Comforts::move(int x, int y) { core_.pointerMove(x, y); }

void Comforts::menuCommand(MenuId id) {
  if (recording_ && core_.takesMenuCommand(id)) rollback_.record(core_, history_.size());
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
  size_t historyThen = history_.size();
  const int steps = rollback_.back(core_, n, &historyThen);
  if (steps > 0) {
    // The pages shown since that point are undone too. The page waited on there is
    // the history's last one already.
    while (history_.size() > historyThen) history_.pop_back();
    onPage_ = core_.waiting() == Waiting::Page && !history_.empty() && !history_.back().choice &&
              history_.back().page == core_.pageKey();
    pageKey_ = core_.pageKey();
    pageSince_ = core_.now();
    newPage_ = onPage_;  // it is on the screen again
  }
  return steps;
}

bool Comforts::rollForward() {
  const bool moved = rollback_.forward(core_);
  if (moved) onPage_ = false;
  return moved;
}

void Comforts::startNewHistory() {
  rollback_.clear();
  onPage_ = false;
  gamesStarted_ = core_.gamesStarted();
}

std::vector<SavedPage> Comforts::savedHistory() const {
  std::vector<SavedPage> pages;
  for (const HistoryEntry& e : history_) pages.push_back(SavedPage{e.lines, e.choice, e.page});
  return pages;
}

void Comforts::restoreHistory(const std::vector<SavedPage>& pages) {
  history_.clear();
  for (const SavedPage& p : pages) history_.push_back(HistoryEntry{p.lines, p.choice, p.page});
  onPage_ = false;  // the page on the screen is seen anew, and is the history's last already
}

// ---- Skipping and auto mode ----

void Comforts::keepReadPagesIn(const std::string& userDir) {
  auto identity = core_.dataIdentity();
  if (!identity.ok()) return;
  auto kept = std::make_unique<ReadPages>(userDir, identity.value());
  // What was read before the folder was known is not lost.
  read_ = std::move(kept);
}

void Comforts::click() {
  press(MouseButton::Left, kClickX, kClickY);
  release(MouseButton::Left, kClickX, kClickY);
  onPage_ = false;
}

void Comforts::stop() {
  skip_ = SkipMode::Off;
  held_ = false;
  auto_ = false;
}

void Comforts::pageShown() {
  onPage_ = true;
  pageKey_ = core_.pageKey();
  pageSince_ = core_.now();
  newPage_ = true;
  HistoryEntry entry{core_.pageLines(), false, pageKey_};
  // The same page again at once (a load of a save taken on it) is one page read.
  if (!history_.empty() && history_.back() == entry) return;
  history_.push_back(std::move(entry));
  if (history_.size() > kHistoryPages) history_.pop_front();
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
    if (!onPage_ || pageKey_ != core_.pageKey()) {
      const bool readBefore = read_->contains(core_.pageKey());
      read_->add(core_.pageKey());
      pageShown();
      readingPage_ = false;
      if (skip_ == SkipMode::Read && !readBefore) {
        if (held_) {
          readingPage_ = true;
        } else {
          stop();
          return -1;
        }
      }
    }
    if (skip_ == SkipMode::Off || readingPage_) {
      if (!auto_) return -1;
      const int64_t due = autoDue();
      if (core_.now() < due) return due;
    }
    click();
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
