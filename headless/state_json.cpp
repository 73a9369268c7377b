#include "headless/state_json.h"

#include <string>

namespace shirakaba {

namespace {

// Arrays the game indexes from `first`, as objects keyed by the index.
template <typename T>
Json indexed(const T* values, int first, int last) {
  Json o = Json::object();
  for (int i = first; i <= last; ++i) o[std::to_string(i)] = Json(static_cast<int64_t>(values[i]));
  return o;
}

Json strings(const std::vector<std::string>& lines) {
  Json a = Json::array();
  for (const std::string& s : lines) a.push_back(Json(s));
  return a;
}

Json timer(const Timer& t) {
  Json o = Json::object();
  o["enabled"] = Json(t.Enabled());
  o["interval"] = Json(t.Interval());
  o["tag"] = Json(t.Tag);
  return o;
}

Json menuItems(const Menu& menu) {
  Json o = Json::object();
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuItem& m = menu.at(i);
    Json item = Json::object();
    item["caption"] = Json(m.Caption);
    item["checked"] = Json(m.Checked);
    item["enabled"] = Json(m.Enabled);
    item["visible"] = Json(m.Visible);
    o[m.name] = std::move(item);
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

Json adv(const TAdv_Rec& a) {
  Json o = Json::object();
  o["Day"] = Json(a.Day);
  o["Month"] = Json(a.Month);
  o["WeekDay"] = Json(a.WeekDay);
  o["Place"] = Json(a.Place);
  o["TrainStep"] = Json(a.TrainStep);
  o["Outcome"] = Json(a.Outcome);
  o["SceneLabel"] = Json(a.SceneLabel);
  o["Half"] = Json(a.Half);
  o["Area"] = Json(a.Area);
  o["Actions"] = Json(a.Actions);
  o["Partner"] = Json(a.Partner);
  o["Met"] = indexed(a.Met, 1, 3);
  return o;
}

Json charaStats(const TCharaStat* stats) {
  Json o = Json::object();
  for (int i = 1; i <= kCharacters; ++i) {
    Json c = Json::object();
    c["Affection"] = Json(stats[i].Affection);
    c["RatingB"] = Json(stats[i].RatingB);
    c["RatingC"] = Json(stats[i].RatingC);
    c["Reserve"] = Json(stats[i].Reserve);
    o[std::to_string(i)] = std::move(c);
  }
  return o;
}

}  // namespace

Json buildStateJson(const TXP_Form& f) {
  Json s = Json::object();
  s["t"] = Json(f.clock.now());
  s["GameMode"] = Json(f.GameMode);

  Json timers = Json::object();
  for (const Timer* t : {&f.Cha_Timer, &f.CG_Timer, &f.J_Timer, &f.Ani_Timer, &f.Text_Timer})
    timers[t->name()] = timer(*t);
  s["timers"] = std::move(timers);
  s["menu"] = menuItems(f.menu);

  Json image = Json::object();
  image["visible"] = Json(f.draw.imageBaVisible);
  s["ImageBa"] = std::move(image);

  s["ButtonOn"] = indexed(f.btn.ButtonOn, 1, 14);
  s["PressedBtn"] = Json(f.btn.PressedBtn);
  s["SelectedBtn"] = Json(f.btn.SelectedBtn);
  s["TestMode"] = Json(f.scene.TestMode);
  s["SceneNo"] = Json(f.scene.SceneNo);
  s["SceneLabel"] = Json(f.train.Adv.SceneLabel);
  s["ScriptPos"] = Json(f.scene.ScriptPos);
  const int pos = f.scene.ScriptPos;
  s["ScriptLine"] = pos >= 0 && pos < f.Script.count() ? Json(f.Script.at(pos)) : Json();
  s["Page"] = strings(f.shown.Page);
  s["Notice"] = f.shown.Notice ? Json(*f.shown.Notice) : Json();
  s["Hint"] = strings(f.shown.Hint);
  s["CGNo"] = Json(f.scene.CGNo);
  s["WindowBaked"] = Json(f.scene.WindowBaked);
  s["CGSpeed"] = Json(f.record.CGSpeed);
  s["CGSeen"] = indexed(f.record.CGSeen, 1, kCGs);
  s["EventState"] = indexed(f.events.EventState, 0, kEvents);
  s["EventWait"] = indexed(f.events.EventWait, 1, kEvents);
  s["PanX"] = Json(f.PanX);
  s["PanY"] = Json(f.PanY);

  const char* dialog = dialogName(f.dialog());
  s["dialog"] = dialog ? Json(dialog) : Json();
  s["message"] = f.dialog() == DialogKind::Message ? Json(f.dialogText()) : Json();
  s["sounds"] = strings(f.soundsStarted);
  s["closed"] = Json(f.closed());

  const TrainingState& tr = f.train;
  s["Adv"] = adv(tr.Adv);
  s["CharaStat"] = charaStats(tr.CharaStat);
  s["Ability"] = indexed(tr.Ability, 1, 4);
  s["Job"] = Json(tr.Job);
  s["Grade"] = Json(tr.Grade);
  s["Outcome"] = Json(tr.Adv.Outcome);
  s["Met"] = indexed(tr.Adv.Met, 1, 3);
  return s;
}

}  // namespace shirakaba
