// Every field of the game state once, in the order of the save format, with the
// values the game can give it: the one list from which the state is written, read,
// checked (state_codec.cpp) and shown as JSON (state_json.cpp). A field the game
// gains later is added here with `since(N, older)`; saves of earlier formats lack its
// bytes and get the older value.
#pragma once
#include <algorithm>
#include <cstdint>

#include "calendar/events.h"
#include "calendar/tables.h"
#include "base/fields.h"
#include "game/game_state.h"

namespace shirakaba {

// What a state is checked against besides its own fields.
struct StateLimits {
  int scriptLines = 0;  // the script cursor may stand on any line or just past the last
};

namespace state_fields {

// A stopped timer keeps the time it last ran, at most this long ago.
constexpr int64_t kLongAgoMs = int64_t{1} << 41;
// Counters that the game only adds small numbers to.
constexpr int64_t kMaxCount = 1000000;

inline int32_t highestEventState() {
  int32_t highest = 3;  // an event's state is 0..3, or the arming kind of its row (job + 5)
  for (const TEvent_Rec& row : EventTable) highest = std::max<int32_t>(highest, row.Kind);
  return highest;
}

template <typename V, typename T>
void timer(V& v, const char* name, T& t, Field interval, Field tag) {
  v.group(name, [&] {
    v(Field("enabled"), t.Enabled);
    v(interval, t.Interval);
    v(tag, t.Tag);
    // Due times count from the moment the state was taken. A running timer is due
    // within its interval; a stopped one keeps when it last ran or was to run.
    v(Field("due").hidden().within(t.Enabled ? 0 : -kLongAgoMs, t.Enabled ? t.Interval : interval.highest()), t.due);
  });
}

template <typename V, typename F>
void font(V& v, const char* name, F& f) {
  v.group(name, [&] {
    v(Field("points").hidden().within(12, 16), f.points);
    v(Field("colour").hidden().within(0, 0xFFFFFF), f.colour);
    v(Field("brush").hidden().within(0, 2), f.brush);
  });
}

}  // namespace state_fields

template <typename V, typename S>
void stateFields(V& v, S& s, const StateLimits& limits) {
  using namespace state_fields;
  // Replays may set any mode; the mode tick passes over the ones it does not know.
  v(Field("GameMode"), s.shell.GameMode);
  v(Field("dialog").hidden().only(0), s.shell.dialog);  // no save is taken while one is open
  v(Field("dialogText").hidden(), s.shell.dialogText);
  v(Field("closed").only(0), s.shell.closed);

  // Tags: the transition's tick (0..21, 22 once it has shown), the CG replay's flag, the
  // job bar's segments and its closing stages (calendar/jobs.cpp), the page prompt's
  // kind and bob (engine/message.cpp).
  v.group("timers", [&] {
    timer(v, "Cha_Timer", s.timers.Cha_Timer, Field("interval").only(30).only(500), Field("tag").within(0, 22));
    timer(v, "CG_Timer", s.timers.CG_Timer, Field("interval").only(20).only(40).only(100), Field("tag").within(0, 1));
    timer(v, "J_Timer", s.timers.J_Timer, Field("interval").only(100).only(300),
          Field("tag").within(0, 20).within(100, 102));
    timer(v, "Ani_Timer", s.timers.Ani_Timer, Field("interval").only(200), Field("tag").only(0));
    timer(v, "Text_Timer", s.timers.Text_Timer, Field("interval").only(400), Field("tag").within(0, 1).within(4, 5));
  });

  v.group("menu", [&] {
    for (int i = 0; i < kMenuItems; ++i) {
      auto& item = s.menu.items[i];
      v.group(menuDef(i).name, [&] {
        v(Field("caption"), item.Caption);
        v(Field("checked"), item.Checked);
        v(Field("enabled"), item.Enabled);
        v(Field("visible"), item.Visible);
      });
    }
  });

  auto& surfaces = s.surfaces;
  // The back buffer is there from when it is made until it is freed.
  const Field backBuffer = Field("BackBuffer").hidden().sized(kScreenW, kScreenH);
  v(surfaces.backBufferCreated ? backBuffer : backBuffer.orEmpty(), surfaces.BackBuffer);
  v(Field("backBufferCreated").hidden(), surfaces.backBufferCreated);
  v(Field("ImageBa").hidden().sized(kScreenW, kScreenH), surfaces.ImageBa);
  v.group("ImageBa", [&] { v(Field("visible"), surfaces.imageBaVisible); });
  v(Field("ImageCG").hidden().orEmpty(), surfaces.ImageCG);
  font(v, "backFont", surfaces.backFont);
  font(v, "screenFont", surfaces.screenFont);

  // Buttons: a press picks one of a screen's regions, at most the scene list's fourteen.
  v(Field("ButtonOn").usedFrom(1).within(0, 1), s.btn.ButtonOn);
  v(Field("PressedBtn").within(0, kEvents), s.btn.PressedBtn);
  v(Field("SelectedBtn").within(0, kEvents), s.btn.SelectedBtn);

  v(Field("SceneNo").within(0, kEvents), s.scene.SceneNo);
  v(Field("SceneLabel"), s.scene.SceneLabel);
  v(Field("ScriptPos").within(0, limits.scriptLines), s.scene.ScriptPos);
  v(Field("CGNo").within(0, kCGs), s.scene.CGNo);
  v(Field("WindowBaked").within(0, 1), s.scene.WindowBaked);
  v(Field("TestMode").within(0, 1), s.scene.TestMode);
  // A pan stays within the CG and a step beyond.
  v(Field("PanX").within(-kMaxPictureSide, kMaxPictureSide), s.pan.PanX);
  v(Field("PanY").within(-kMaxPictureSide, kMaxPictureSide), s.pan.PanY);
  v(Field("CGSpeed").within(0, 3), s.record.CGSpeed);  // 0 until the settings are read
  v(Field("CGSeen").usedFrom(1).within(0, 2), s.record.CGSeen);
  v(Field("Page"), s.shown.Page);
  v(Field("Hint"), s.shown.Hint);
  v(Field("Notice"), s.shown.Notice);
  v(Field("random").hidden(), s.random);

  auto& a = s.train.Adv;
  v.group("Adv", [&] {
    v(Field("Day").within(0, kMaxCount), a.Day);
    v(Field("Month").within(0, kMaxCount), a.Month);
    v(Field("WeekDay").within(0, 6), a.WeekDay);
    v(Field("Place").within(0, kPlaces - 1), a.Place);
    v(Field("TrainStep").within(0, 5).within(8, 12).within(15, 18).within(20, 21), a.TrainStep);
    v(Field("Outcome"), a.Outcome);
    v(Field("Half").within(0, 2), a.Half);
    v(Field("Area").within(0, 2), a.Area);
    v(Field("Actions"), a.Actions);
    v(Field("Partner").within(0, kCharacters), a.Partner);
    v(Field("Met").usedFrom(1).within(0, 1), a.Met);
  });
  // Values far beyond the game's 0..100 could overflow as the game adds to them.
  v.group("CharaStat", [&] {
    for (int i = 0; i <= kCharacters; ++i) {
      auto& c = s.train.CharaStat[i];
      v.group(indexKey(i), [&] {
        const auto stat = [&](const char* key, auto& value) { v(Field(key).within(-kMaxCount, kMaxCount), value); };
        stat("Affection", c.Affection);
        stat("RatingB", c.RatingB);
        stat("RatingC", c.RatingC);
        stat("Reserve", c.Reserve);
      }, /*used=*/i >= 1);
    }
  });
  v(Field("Ability").usedFrom(1).within(-kMaxCount, kMaxCount), s.train.Ability);
  v(Field("Job").within(0, 4), s.train.Job);
  v(Field("Grade").within(0, 4), s.train.Grade);
  v(Field("EventState").within(0, highestEventState()), s.events.EventState);
  v(Field("EventWait").usedFrom(1), s.events.EventWait);  // any number the script gives
}

}  // namespace shirakaba
