// The game's own texts (menu captions, status labels, the closing line, the window's
// caption and dialogs) in the language of the game data. The program holds them in
// Japanese; a UTF-8 script may carry translations of them in lines of its own before
// its first label, one text a line:
//
//   #text program:menu "効果音 OFF" -> "Sound: off"
//
// The interpreter never runs those lines (no scene starts before the first label and
// they hold no "="), and a CP932 script is never searched for them, so the original
// data reads exactly as it always has.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result.h"
#include "engine/menu.h"

namespace shirakaba {

class ScriptLines;

// The contexts of the own texts, as translators' PO files name them.
namespace own {
inline constexpr const char* Menu = "program:menu";
inline constexpr const char* Status = "program:status";
inline constexpr const char* Closing = "program:closing";
inline constexpr const char* About = "program:about";
inline constexpr const char* StartUp = "program:start-up";

// The texts that only the window or a message box shows.
inline constexpr const char* WindowCaption = "白樺館  見習い日誌 体験版";
inline constexpr const char* MessageTitle = "白樺館";
inline constexpr const char* AboutTitle = "バージョン情報";
inline constexpr const char* ProductName = "白樺館\n  見習い日誌 体験版";
inline constexpr const char* ReadmeTitle = "お読みください";
inline constexpr const char* ReadmeClose = "閉じる";
inline constexpr const char* ClosingLine = "この後は本編でお楽しみ下さい";
inline constexpr const char* MissingFiles = "ファイルが足りません";
inline constexpr const char* ReloadFailed = "テキストを読み込めませんでした";
}  // namespace own

struct OwnTextLine {
  std::string context, original, translation;
  bool operator==(const OwnTextLine&) const = default;
};

constexpr std::string_view kOwnTextPrefix = "#text ";
// Longer own-text lines are refused: no caption or label comes near this, and a
// label is drawn on every screen that shows it.
constexpr size_t kOwnTextLineMax = 1000;

bool looksLikeOwnTextLine(std::string_view line);
// An own-text line's parts, or an Error saying what is wrong with it.
Result<OwnTextLine> parseOwnTextLine(std::string_view line);
// The line for the parts: texts quoted, with \" \\ and \n escaped.
std::string formatOwnTextLine(const OwnTextLine& t);
// The own-text lines sit before the first label ("*..."): the number of lines there.
int ownTextRegionEnd(const std::vector<std::string>& lines);

class OwnTexts {
 public:
  // The translations a script carries; none unless it was read from a UTF-8 block.
  // A malformed line is skipped; of two lines for the same text the first counts.
  static OwnTexts read(const ScriptLines& script);

  bool empty() const { return table_.empty(); }
  // The translation of original under context, or original itself.
  std::string text(std::string_view context, std::string_view original) const;
  // The menu as the player sees it: every caption the table translates.
  MenuState menu(const MenuState& menu) const;
  void add(const OwnTextLine& t);

 private:
  std::map<std::pair<std::string, std::string>, std::string> table_;  // (context, original)
};

}  // namespace shirakaba
