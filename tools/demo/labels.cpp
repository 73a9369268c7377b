// The English of the demo's painted labels.
#include "tools/demo/labels.h"

#include <algorithm>
#include <map>

#include "tools/demo/painter.h"

namespace shirakaba::demo {
namespace {

Lang current = Lang::Ja;
std::vector<std::string> missing;

const std::map<std::string, std::string>& english() {
  static const std::map<std::string, std::string> table = {
      // The title, the logo, the closing picture and the gallery.
      {"白樺館の一週間", "A Week at Shirakaba Manor"},
      {"― 家事見習い・春未の七日間 ―", "— Harumi's seven days as an apprentice —"},
      {"ようこそ", "Welcome"},
      {"おしまい", "The End"},
      {"思い出のアルバム", "Memory Album"},
      {"見たことのある絵を、もう一度ながめられます。", "Look again at the pictures you have seen."},
      {"はじめる", "Start"}, {"つづき", "Continue"}, {"ギャラリー", "Gallery"}, {"おわる", "Quit"},
      {"見", "View"}, {"▶", "▶"}, {"戻", "Back"}, {"閉", "Close"},
      // The calendar's buttons and cards.
      {"雑談", "Chat"}, {"相談", "Advice"}, {"秘密", "Secret"}, {"労う", "Thanks"},
      {"休む", "Rest"}, {"情報", "Info"}, {"散歩", "Walk"}, {"状態", "Status"},
      {"自習", "Study"}, {"寝る", "Sleep"}, {"開始", "Start"}, {"戻る", "Back"},
      {"能力", "Abilities"}, {"関係", "Relations"},
      {"料理", "Cooking"}, {"掃除", "Cleaning"}, {"家事", "Housework"}, {"作法", "Manners"},
      {"鏡子", "Kyoko"}, {"鈴菜", "Suzuna"}, {"麻由", "Mayu"},
      {"鏡子の部屋", "Kyoko's room"}, {"鈴菜の部屋", "Suzuna's room"}, {"麻由の部屋", "Mayu's room"},
      {"事務所", "Office"}, {"自室", "My room"}, {"寮の前", "Dorm front"}, {"本館", "Main house"},
      {"ベンチ", "Bench"}, {"本館裏", "Back garden"}, {"プール", "Pool"}, {"寮に戻る", "Back to dorm"},
      // The status plates.
      {"日目", "DAY"}, {"作業中……", "Working..."},
      {"体力", "Vigor"}, {"手際", "Skill"}, {"品格", "Grace"}, {"根気", "Grit"},
      {"優", "Great"}, {"良", "Good"}, {"可", "Pass"}, {"不可", "Fail"},
      {"好感", "Liking"}, {"信頼", "Trust"}, {"親密", "Close"},
      {"研修生の記録", "Trainee Record"},
      {"名前　春未（はるみ）", "Name: Harumi"}, {"年齢　十六歳", "Age: 16"},
      {"出身　海辺の町", "From: a seaside town"}, {"好物　焼きたてのパン", "Likes: fresh bread"},
      {"目標　一人前の家政士", "Goal: a skilled housekeeper"},
      {"ひとこと", "Motto"},
      {"「失敗しても、", "\"Even after a slip,"}, {"　笑顔で次へ！」", "  smile and go on!\""},
      // The scenes: a board, the letter home and the backgrounds' corner names.
      {"手順", "Steps"},
      {"お母さんへ", "Dear Mom,"}, {"私は元気です。", "I'm doing well."},
      {"館のみんなは優しくて、", "Everyone here is kind,"},
      {"毎日が新しいことばかり。", "and every day is new."},
      {"がんばります。", "I'll do my best."}, {"春未", "Harumi"},
      {"昼春未", "Harumi's room, day"}, {"実習室", "Practice room"}, {"夜春未", "Harumi's room, night"},
      {"暗春未", "Harumi's room, dark"}, {"屋敷昼休み", "Lunch hall"}, {"昼本宅", "Main house, day"},
      {"夜廊下1F", "Hallway, night"}, {"夜寮前", "Dorm front, night"}, {"夜本宅", "Main house, night"},
      {"夜ベンチ", "Bench, night"}, {"夜本宅裏", "Back garden, night"}, {"夜プール", "Pool, night"},
      {"昼ベンチ", "Bench, day"}, {"昼本宅裏", "Back garden, day"}, {"昼プール", "Pool, day"},
      {"机前", "At the desk"}, {"鏡子リビング", "Kyoko's living room"}, {"明事務所", "Office, lit"},
      {"夜鈴菜", "Suzuna's room, night"}, {"夜麻由", "Mayu's room, night"}, {"昼寮前", "Dorm front, day"},
      {"台所", "Kitchen"}, {"昼廊下1F", "Hallway, day"}, {"夕焼け坂道", "Slope at sunset"},
      {"玄関", "Entrance"}, {"昼庭", "Garden, day"}, {"昼鈴菜", "Suzuna's room, day"},
      {"昼麻由", "Mayu's room, day"}, {"夜空", "Night sky"}, {"朝の窓", "Morning window"},
  };
  return table;
}

}  // namespace

PaintLanguage::PaintLanguage(Lang lang) : previous_(current) { current = lang; }
PaintLanguage::~PaintLanguage() { current = previous_; }

std::string label(const std::string& japanese) {
  if (current == Lang::Ja || japanese.empty()) return japanese;
  const auto it = english().find(japanese);
  if (it != english().end()) return it->second;
  if (std::find(missing.begin(), missing.end(), japanese) == missing.end()) missing.push_back(japanese);
  return japanese;
}

int fitted(const std::string& text, int px, float width) {
  if (current == Lang::Ja) return px;
  while (px > 7 && textWidth(text, px) > width) --px;
  return px;
}

std::vector<std::string> labelsWithoutEnglish() { return missing; }

}  // namespace shirakaba::demo
