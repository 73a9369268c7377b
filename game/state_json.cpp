#include "game/state_json.h"

#include <string>

#include "base/fields.h"
#include "game/game.h"
#include "game/state_fields.h"

namespace shirakaba {

namespace {

using Json = nlohmann::ordered_json;

// The shown fields of the state by their names, groups as objects.
class JsonFields : public FieldVisitor<JsonFields> {
 public:
  explicit JsonFields(Json& root) : root_(root) {}

  template <typename T>
    requires kIsNumber<T>
  void visit(const Field& f, T v) {
    if (!f.shown) return;
    if constexpr (std::is_same_v<T, bool>) at(f) = v;
    else at(f) = asNumber(v);
  }
  void visit(const Field& f, const std::string& text) {
    if (f.shown) at(f) = text;
  }
  void visit(const Field& f, const std::vector<std::string>& lines) {
    if (!f.shown) return;
    Json& a = at(f) = Json::array();
    for (const std::string& line : lines) a.push_back(line);
  }
  void visit(const Field& f, const std::optional<std::string>& text) {
    if (f.shown) at(f) = text ? Json(*text) : Json();
  }
  void visit(const Field&, const Bitmap&) {}
  void visit(const Field&, const RandomSource&) {}

 private:
  Json& at(const Field& f) {
    Json* j = &root_;
    for (const char* key : path_) j = &(*j)[key];
    return (*j)[f.key];
  }
  Json& root_;
};

// The order in which the dump has always listed its keys; a field not named here
// follows at the end.
constexpr const char* kOrder[] = {
    "t",          "GameMode", "timers",   "menu",       "ImageBa",   "ButtonOn",    "PressedBtn",
    "SelectedBtn", "TestMode", "SceneNo", "SceneLabel", "ScriptPos", "ScriptLine",  "Page",
    "Notice",     "Hint",     "CGNo",     "WindowBaked", "CGSpeed",  "CGSeen",      "EventState",
    "EventWait",  "PanX",     "PanY",     "dialog",     "message",   "sounds",      "closed",
    "Adv",        "CharaStat", "Ability", "Job",        "Grade",     "Outcome",     "Met"};
constexpr const char* kAdvOrder[] = {"Day",        "Month", "WeekDay", "Place",   "TrainStep", "Outcome",
                                     "SceneLabel", "Half",  "Area",    "Actions", "Partner",   "Met"};

const char* dialogName(DialogKind k) {
  switch (k) {
    case DialogKind::Message: return "message";
    case DialogKind::About: return "about";
    case DialogKind::Readme: return "readme";
    default: return nullptr;
  }
}

Json nullable(const char* s) { return s ? Json(s) : Json(); }

}  // namespace

Json describeState(const Game& g, const std::vector<std::string>& sounds) {
  const GameState& st = g.state;
  const Engine& e = g.engine;
  Json s = Json::object();
  for (const char* key : kOrder) s[key] = nullptr;
  for (const char* key : kAdvOrder) s["Adv"][key] = nullptr;
  JsonFields fields(s);
  stateFields(fields, st, StateLimits{e.Script.count()});

  // What the fields show through the game's eyes.
  s["t"] = e.clock.now();
  const MenuState shown = e.ownTexts.menu(st.menu);  // captions as the player sees them
  for (int i = 0; i < kMenuItems; ++i) s["menu"][menuDef(i).name]["caption"] = shown.items[i].Caption;
  const int pos = st.scene.ScriptPos;
  s["ScriptLine"] = pos >= 0 && pos < e.Script.count() ? Json(e.Script.at(pos)) : Json();
  s["dialog"] = nullable(dialogName(st.shell.dialog));
  s["message"] = st.shell.dialog == DialogKind::Message ? Json(st.shell.dialogText) : Json();
  s["sounds"] = sounds;
  s["Adv"]["SceneLabel"] = st.scene.SceneLabel;
  s["Outcome"] = s["Adv"]["Outcome"];
  s["Met"] = s["Adv"]["Met"];
  return s;
}

}  // namespace shirakaba
