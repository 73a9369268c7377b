#include "game/state_json.h"

#include <string>

#include "game/game.h"

namespace shirakaba {

namespace {

using Json = nlohmann::ordered_json;

// Arrays the game indexes from `first`, as objects keyed by the index.
template <typename T>
Json indexed(const T* values, int first, int last) {
  Json o = Json::object();
  for (int i = first; i <= last; ++i) o[std::to_string(i)] = static_cast<int64_t>(values[i]);
  return o;
}

Json strings(const std::vector<std::string>& lines) {
  Json a = Json::array();
  for (const std::string& s : lines) a.push_back(s);
  return a;
}

Json timer(const Timer& t) {
  Json o = Json::object();
  o["enabled"] = t.Enabled();
  o["interval"] = t.Interval();
  o["tag"] = t.Tag;
  return o;
}

Json menuItems(const MenuState& menu) {
  Json o = Json::object();
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuItemState& m = menu.items[i];
    Json item = Json::object();
    item["caption"] = m.Caption;
    item["checked"] = m.Checked;
    item["enabled"] = m.Enabled;
    item["visible"] = m.Visible;
    o[menuDef(i).name] = std::move(item);
  }
  return o;
}

const char* dialogName(DialogKind k) {
  switch (k) {
    case DialogKind::Message: return "message";
    case DialogKind::About: return "about";
    case DialogKind::Readme: return "readme";
    default: return nullptr;
  }
}

Json adv(const TAdv_Rec& a, const std::string& sceneLabel) {
  Json o = Json::object();
  o["Day"] = a.Day;
  o["Month"] = a.Month;
  o["WeekDay"] = a.WeekDay;
  o["Place"] = a.Place;
  o["TrainStep"] = toInt(a.TrainStep);
  o["Outcome"] = a.Outcome;
  o["SceneLabel"] = sceneLabel;
  o["Half"] = a.Half;
  o["Area"] = a.Area;
  o["Actions"] = a.Actions;
  o["Partner"] = a.Partner;
  o["Met"] = indexed(a.Met, 1, 3);
  return o;
}

Json charaStats(const TCharaStat* stats) {
  Json o = Json::object();
  for (int i = 1; i <= kCharacters; ++i) {
    Json c = Json::object();
    c["Affection"] = stats[i].Affection;
    c["RatingB"] = stats[i].RatingB;
    c["RatingC"] = stats[i].RatingC;
    c["Reserve"] = stats[i].Reserve;
    o[std::to_string(i)] = std::move(c);
  }
  return o;
}

Json nullable(const char* s) { return s ? Json(s) : Json(); }

}  // namespace

Json describeState(const Game& g, const std::vector<std::string>& sounds) {
  const GameState& st = g.state;
  const Engine& e = g.engine;
  Json s = Json::object();
  s["t"] = e.clock.now();
  s["GameMode"] = toInt(st.shell.GameMode);

  Json timers = Json::object();
  for (const Timer* t : {&e.Cha_Timer, &e.CG_Timer, &e.J_Timer, &e.Ani_Timer, &e.Text_Timer})
    timers[t->name()] = timer(*t);
  s["timers"] = std::move(timers);
  s["menu"] = menuItems(e.ownTexts.menu(st.menu));  // as the player sees it
  s["ImageBa"] = Json{{"visible", st.surfaces.imageBaVisible}};

  s["ButtonOn"] = indexed(st.btn.ButtonOn, 1, 14);
  s["PressedBtn"] = st.btn.PressedBtn;
  s["SelectedBtn"] = st.btn.SelectedBtn;
  s["TestMode"] = st.scene.TestMode;
  s["SceneNo"] = st.scene.SceneNo;
  s["SceneLabel"] = st.scene.SceneLabel;
  s["ScriptPos"] = st.scene.ScriptPos;
  const int pos = st.scene.ScriptPos;
  s["ScriptLine"] = pos >= 0 && pos < e.Script.count() ? Json(e.Script.at(pos)) : Json();
  s["Page"] = strings(st.shown.Page);
  s["Notice"] = st.shown.Notice ? Json(*st.shown.Notice) : Json();
  s["Hint"] = strings(st.shown.Hint);
  s["CGNo"] = st.scene.CGNo;
  s["WindowBaked"] = st.scene.WindowBaked;
  s["CGSpeed"] = st.record.CGSpeed;
  s["CGSeen"] = indexed(st.record.CGSeen, 1, kCGs);
  s["EventState"] = indexed(st.events.EventState, 0, kEvents);
  s["EventWait"] = indexed(st.events.EventWait, 1, kEvents);
  s["PanX"] = st.pan.PanX;
  s["PanY"] = st.pan.PanY;

  s["dialog"] = nullable(dialogName(st.shell.dialog));
  s["message"] = st.shell.dialog == DialogKind::Message ? Json(st.shell.dialogText) : Json();
  s["sounds"] = strings(sounds);
  s["closed"] = st.shell.closed;

  const TrainingState& tr = st.train;
  s["Adv"] = adv(tr.Adv, st.scene.SceneLabel);
  s["CharaStat"] = charaStats(tr.CharaStat);
  s["Ability"] = indexed(tr.Ability, 1, 4);
  s["Job"] = tr.Job;
  s["Grade"] = tr.Grade;
  s["Outcome"] = tr.Adv.Outcome;
  s["Met"] = indexed(tr.Adv.Met, 1, 3);
  return s;
}

}  // namespace shirakaba
