// The player's aids around the game: rollback, skipping, auto mode, the history of
// pages and the pages read. Nothing here acts unless the player asks for it: with
// skipping and auto off, the game gets exactly the input the player gives.
//
// The front end passes the player's pointer and menu commands through here (so that
// each one the game takes leaves a rollback point) and calls react() whenever time
// has moved the game on.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comforts/page_history.h"
#include "comforts/read_pages.h"
#include "comforts/rollback.h"
#include "game/core.h"

namespace shirakaba {

enum class SkipMode { Off, Read, All };

struct AutoSpeed {
  int64_t baseMs = 1500;     // the pause before a page turns by itself
  int64_t perCharacterMs = 80;  // and the time given to each character on it
};

class Comforts {
 public:
  static constexpr size_t kHistoryPages = PageHistory::kMaxEntries;
  // Where a skipping click lands: inside the message window.
  static constexpr int kClickX = 320, kClickY = 400;

  explicit Comforts(GameCore& core);

  // ---- The player's input ----
  void press(MouseButton b, int x, int y);
  void release(MouseButton b, int x, int y);
  void move(int x, int y);
  void menuCommand(MenuId id);
  // Rollback points are taken only when this is on (the window always; headless mode
  // only when a replay rolls back, since taking them costs time at every click).
  void setRecording(bool on) { recording_ = on; }

  // ---- Rollback ----
  // Each takes the history of pages along: it is the one that led to the screen gone to.
  int rollBack(int n);
  bool rollForward();
  const Rollback& rollback() const { return rollback_; }
  // After a load: the rollback points start anew, and the history of pages is the one
  // the save kept (empty from a save that kept none).
  void startNewHistory(const std::vector<HistoryEntry>& saved);

  // ---- Skipping and auto mode ----
  // Pages read are kept in USERDIR/read/ from now on, together with those read so far
  // (else in memory only).
  void keepReadPagesIn(const std::string& userDir);
  void setSkip(SkipMode mode) {
    skip_ = mode;
    if (mode == SkipMode::Off) held_ = false;
  }
  SkipMode skip() const { return skip_; }
  // Skipping asked for by a key held down: where it would stop it only pauses, and it
  // goes on at the next page it may skip (an unread page in "read" mode waits for the
  // player's click first).
  void setSkipHeld(bool held) { held_ = held; }
  void setAuto(bool on) { auto_ = on; }
  bool autoOn() const { return auto_; }
  void setAutoSpeed(AutoSpeed s) { speed_ = s; }
  bool active() const { return skip_ != SkipMode::Off || auto_; }
  const ReadPages& readPages() const { return *read_; }
  // Why the pages read cannot be kept in their file, told once (see ReadPages).
  std::optional<std::string> takeReadPagesProblem() { return read_->takeProblem(); }

  // Looks at what the game waits for and acts: a page shown anew goes into the
  // history; while skipping, a page gets a click at once (in "read" mode only a page
  // read before); in auto mode when its pause is over. Where the game waits for a
  // decision (or an unread page), skipping and auto mode stop. A page counts as read
  // once the player's click or auto mode has turned it, never by being skipped.
  // Returns the clock time at which auto mode wants to be asked again, or -1.
  int64_t react();
  // Virtual time: runs the game up to `until`, reacting at every timer. With skipping
  // or auto on it returns as soon as they stop, the clock standing there.
  void advance(int64_t until);

  // ---- The pages ----
  // The pages shown and the choices taken on the way to the screen shown.
  const PageHistory& history() const { return history_; }
  // The page last shown as text, its lines joined by line breaks.
  std::string pageText() const;
  // What a player reads on the screen now (a page, a choice, a hint), the same way;
  // empty where no text is shown.
  std::string screenText() const;
  // A page shown since the last call, for copying each page as it comes.
  std::optional<std::string> takeNewPage();

 private:
  void takePress();
  void takeRelease();
  void click(bool turnsRead);
  void notePage();
  void returnedTo(PageHistory history);
  void stop();
  void checkNewGame();
  int64_t autoDue() const;

  GameCore& core_;
  Rollback rollback_;
  std::unique_ptr<ReadPages> read_;
  PageHistory history_;
  bool recording_ = true;
  SkipMode skip_ = SkipMode::Off;
  bool auto_ = false;
  AutoSpeed speed_;
  bool onPage_ = false;      // the game waits on a page that react() has seen
  int pageKey_ = -1;
  bool held_ = false;
  int pressedPage_ = -1;     // the page the player's press was taken on
  int64_t pageSince_ = 0;    // clock time the page began to wait
  bool newPage_ = false;     // for takeNewPage
  std::vector<std::string> choiceOnScreen_;  // while a choice is pressed
  uint64_t gamesStarted_ = 0;
};

}  // namespace shirakaba
