#include "headless/state_json.h"

#include <string>

namespace shirakaba {

namespace {

// Arrays the game indexes from `first`, as objects keyed by the index.
template <typename T>
Json indexed(const T* values, int first, int last) {
  Json o = Json::object();
  for (int i = first; i <= last; ++i) o.set(std::to_string(i), Json(static_cast<int64_t>(values[i])));
  return o;
}

Json strings(const std::vector<std::string>& lines) {
  Json a = Json::array();
  for (const std::string& s : lines) a.push(Json(s));
  return a;
}

Json timer(const Timer& t) {
  Json o = Json::object();
  o.set("enabled", Json(t.Enabled()));
  o.set("interval", Json(t.Interval()));
  o.set("tag", Json(t.Tag));
  return o;
}

Json menuItems(const Menu& menu) {
  Json o = Json::object();
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuItem& m = menu.at(i);
    Json item = Json::object();
    item.set("caption", Json(m.Caption));
    item.set("checked", Json(m.Checked));
    item.set("enabled", Json(m.Enabled));
    item.set("visible", Json(m.Visible));
    o.set(m.name, std::move(item));
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
  o.set("Day", Json(a.Day));
  o.set("Month", Json(a.Month));
  o.set("WeekDay", Json(a.WeekDay));
  o.set("Place", Json(a.Place));
  o.set("TrainStep", Json(a.TrainStep));
  o.set("Outcome", Json(a.Outcome));
  o.set("SceneLabel", Json(a.SceneLabel));
  o.set("Half", Json(a.Half));
  o.set("Area", Json(a.Area));
  o.set("Actions", Json(a.Actions));
  o.set("Partner", Json(a.Partner));
  o.set("Met", indexed(a.Met, 1, 3));
  return o;
}

Json charaStats(const TCharaStat* stats) {
  Json o = Json::object();
  for (int i = 1; i <= kCharacters; ++i) {
    Json c = Json::object();
    c.set("Affection", Json(stats[i].Affection));
    c.set("RatingB", Json(stats[i].RatingB));
    c.set("RatingC", Json(stats[i].RatingC));
    c.set("Reserve", Json(stats[i].Reserve));
    o.set(std::to_string(i), std::move(c));
  }
  return o;
}

}  // namespace

Json buildStateJson(const TXP_Form& f) {
  Json s = Json::object();
  s.set("t", Json(f.clock.now()));
  s.set("GameMode", Json(f.GameMode));

  Json timers = Json::object();
  for (const Timer* t : {&f.Cha_Timer, &f.CG_Timer, &f.J_Timer, &f.Ani_Timer, &f.Text_Timer})
    timers.set(t->name(), timer(*t));
  s.set("timers", std::move(timers));
  s.set("menu", menuItems(f.menu));

  Json image = Json::object();
  image.set("visible", Json(f.draw.imageBaVisible));
  s.set("ImageBa", std::move(image));

  s.set("ButtonOn", indexed(f.btn.ButtonOn, 1, 14));
  s.set("PressedBtn", Json(f.btn.PressedBtn));
  s.set("SelectedBtn", Json(f.btn.SelectedBtn));
  s.set("TestMode", Json(f.scene.TestMode));
  s.set("SceneNo", Json(f.scene.SceneNo));
  s.set("SceneLabel", Json(f.train.Adv.SceneLabel));
  s.set("ScriptPos", Json(f.scene.ScriptPos));
  const int pos = f.scene.ScriptPos;
  s.set("ScriptLine", pos >= 0 && pos < f.Script.count() ? Json(f.Script.at(pos)) : Json());
  s.set("Page", strings(f.shown.Page));
  s.set("Notice", f.shown.Notice ? Json(*f.shown.Notice) : Json());
  s.set("Hint", strings(f.shown.Hint));
  s.set("CGNo", Json(f.scene.CGNo));
  s.set("WindowBaked", Json(f.scene.WindowBaked));
  s.set("CGSpeed", Json(f.record.CGSpeed));
  s.set("CGSeen", indexed(f.record.CGSeen, 1, kCGs));
  s.set("EventState", indexed(f.events.EventState, 0, kEvents));
  s.set("EventWait", indexed(f.events.EventWait, 1, kEvents));
  s.set("PanX", Json(f.PanX));
  s.set("PanY", Json(f.PanY));

  const char* dialog = dialogName(f.dialog());
  s.set("dialog", dialog ? Json(dialog) : Json());
  s.set("message", f.dialog() == DialogKind::Message ? Json(f.dialogText()) : Json());
  s.set("sounds", strings(f.soundsStarted));
  s.set("closed", Json(f.closed()));

  const TrainingState& tr = f.train;
  s.set("Adv", adv(tr.Adv));
  s.set("CharaStat", charaStats(tr.CharaStat));
  s.set("Ability", indexed(tr.Ability, 1, 4));
  s.set("Job", Json(tr.Job));
  s.set("Grade", Json(tr.Grade));
  s.set("Outcome", Json(tr.Adv.Outcome));
  s.set("Met", indexed(tr.Adv.Met, 1, 3));
  return s;
}

}  // namespace shirakaba
