// The lunch break, the walks through the dormitory and its grounds, self-study, the
// information screen and the conversation screen (GameMode 13) with its topics.
#include "calendar/buttons.h"
#include "calendar/calendar.h"
#include "calendar/status_panel.h"
#include "calendar/tables.h"
#include "calendar/text_places.h"
#include "engine/live.h"

namespace shirakaba {

namespace {

constexpr int kLunchSeats = 3;   // lunch buttons 1..3: sit with character 1..3
constexpr int kLunchWalkButton = 6;
constexpr int kTopics = 4;

bool isCharacter(int c) { return c >= 1 && c <= kCharacters; }

// The outside backgrounds exist for places 7..10 only; elsewhere the last picture stays.
const char* outsideBackground(const char* const (&table)[4], int place) {
  return place >= 7 && place <= 10 ? table[place - 7] : nullptr;
}

}  // namespace

int TrainingRules::PlaceClosed(int p) const {
  const TAdv_Rec& a = train.Adv;
  switch (p) {
    case 1: return 1;
    case 2: return a.Met[2] != 0 ? 1 : 0;
    case 3: return a.Met[3] != 0 ? 1 : 0;
    case 4:
      if (a.Met[1] != 0) return 1;
      return a.Actions > 0 && events.EventState[FindEvent(kFirstKyoukoEvent)] == 3 ? 1 : 0;
    default: return 0;
  }
}

std::string TrainingRules::PlaceLabel(int p) {
  TAdv_Rec& a = train.Adv;
  if (a.Area == 2) return placeVisitLabel(2, p);
  if (a.Day >= 1 && a.Day <= kPlanDays) {
    for (int c = 1; c <= kCharacters; ++c) {
      if (CharaPlaces[c][a.Day] == p && a.Met[c] == 0) {
        a.Met[c] = 1;
        return scheduledVisitLabel(c, p);
      }
    }
  }
  return placeVisitLabel(a.Area, p);
}

void Calendar::LunchBreak(LunchStep step) {
  TAdv_Rec& a = train.Adv;
  switch (step) {
    case LunchStep::Compose:
      e.DrawBackground(def::LunchHall, Target::Back);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskA, draw.BackBuffer);
      break;
    case LunchStep::Ready:
      btn.ButtonOn[1] = 1;
      btn.ButtonOn[2] = 1;
      if (rules.OptionLocked(3) == 0) btn.ButtonOn[3] = 1;
      btn.ButtonOn[kLunchWalkButton] = 1;
      DrawCalBtn(draw, train, Look::Normal, kLunchWalkButton, Target::Screen);
      for (int b = 1; b <= kLunchSeats; ++b)
        if (isLive(btn, b)) DrawCalBtn(draw, train, Look::Normal, b, Target::Screen);
      e.ShowFace(FaceWith::NoPage, def::TraineeFace);
      break;
    case LunchStep::Release: {
      const int32_t b = btn.SelectedBtn;
      if (b >= 1 && b <= kLunchSeats) {
        story.CheckVisit();
        if (scene.SceneNo != 0) {
          LunchBreak(LunchStep::BackToWork);  // after the visit the afternoon job follows
        } else {
          a.Partner = static_cast<uint8_t>(b);
          shell.GameMode = GameMode::Talk;
        }
      } else if (b == kLunchWalkButton) {
        a.TrainStep = TrainStep::LunchWalk;
        a.Place = kLunchWalkStart;
        a.Area = 2;
        e.DrawBackground(def::DayOutside[0], Target::Back);
      }
      break;
    }
    case LunchStep::BackToWork:
      a.TrainStep = TrainStep::JobChoice;
      a.Place = 0;
      a.Area = 0;
      break;
  }
}

void Calendar::WalkScreen(WalkStep step) {
  TAdv_Rec& a = train.Adv;
  switch (step) {
    case WalkStep::Compose: {
      const char* background = nullptr;
      if (a.Area == 0)
        background = def::Corridor;
      else if (a.Area == 1)
        background = outsideBackground(def::NightOutside, a.Place);
      else if (a.Area == 2)
        background = outsideBackground(def::DayOutside, a.Place);
      if (background) e.DrawBackground(background, Target::Back);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskA, draw.BackBuffer);
      break;
    }
    case WalkStep::Ready:
      for (int b = 1; b <= kWalkTiles; ++b) {
        const int p = PlaceOfButton(train, b);
        if (p == a.Place || rules.PlaceClosed(p) == 1) {
          DrawCalBtn(draw, train, Look::Pressed, b, Target::Screen);  // shown pressed, not choosable
        } else {
          btn.ButtonOn[b] = 1;
          DrawCalBtn(draw, train, Look::Normal, b, Target::Screen);
        }
      }
      if (a.Area == 0) {
        btn.ButtonOn[kGoOutsideButton] = 1;
        DrawCalBtn(draw, train, Look::Normal, kGoOutsideButton, Target::Screen);
      }
      e.ShowFace(FaceWith::NoPage, a.Area == 2 ? def::TraineeFace : def::TraineePrivateFace);
      break;
    case WalkStep::Release: {
      const int32_t b = btn.SelectedBtn;
      a.Place = static_cast<uint8_t>(PlaceOfButton(train, b));
      if (a.Area == 0 && b == kBackToWorkButton) {
        a.Area = 0;
        a.TrainStep = TrainStep::LateEvening;  // back in her room: the walk is over
        return;
      }
      if (a.Area == 0 && b == kGoOutsideButton) {
        a.Area = 1;
        e.DrawBackground(def::DormFront, Target::Back);
      } else if (a.Area == 1 && b == kBackToWorkButton) {
        a.Area = 0;
        e.DrawBackground(def::Corridor, Target::Back);
        if (a.Actions == 0) a.Actions = 1;  // the outing counts as the evening's activity
      } else if (a.Area == 2 && b == kBackToWorkButton) {
        LunchBreak(LunchStep::BackToWork);
        return;
      }
      story.CheckArmed();
      if (scene.SceneNo != 0) return;
      int here = 0;
      switch (a.Place) {
        case 1: here = a.Actions > 0 ? 1 : 0; break;
        case 2: here = 2; break;
        case 3: here = 3; break;
        case 4: here = a.Actions == 0 ? 1 : 0; break;
        default: break;
      }
      if (here != 0 && a.Met[here] == 0) {
        a.Partner = static_cast<uint8_t>(here);
        shell.GameMode = GameMode::Talk;
        return;
      }
      scene.SceneLabel = rules.PlaceLabel(a.Place);
      scene.ScriptPos = 0;
      shell.GameMode = GameMode::Scene;
      break;
    }
  }
}

void Calendar::StudyScreen(StudyStep step) {
  TAdv_Rec& a = train.Adv;
  switch (step) {
    case StudyStep::Compose:
      e.DrawBackground(def::Desk, Target::Back);
      BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::Panel, pic::PanelMask, draw.BackBuffer);
      e.PlaceSprite(1, def::Trainee, Target::Back);
      break;
    case StudyStep::Ready:
      StatusPanel(draw, e.ownTexts, train, StatusView::SelfStudy);
      rules.ApplyStats(Stats::SelfStudy);
      a.Actions = static_cast<uint8_t>(a.Actions + 1);
      break;
    case StudyStep::Release: a.TrainStep = a.Actions > 1 ? TrainStep::LateEvening : TrainStep::Evening; break;
  }
}

void Calendar::InfoScreen(InfoStep step) {
  TAdv_Rec& a = train.Adv;
  switch (step) {
    case InfoStep::Compose: {
      e.DrawBackground(def::EveningRoom, Target::Back);
      const int c = JobRule(train, JobRuleKind::BestLiked, 0);
      const bool liked = isCharacter(c) && train.CharaStat[c].Affection >= kInfoAffection;
      e.PlaceSprite(1, liked ? CharaPrivateSprite[c] : def::TraineePrivate, Target::Back);
      BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::InfoPanel, pic::InfoPanelMask, draw.BackBuffer);
      break;
    }
    case InfoStep::Ready:
      StatusPanel(draw, e.ownTexts, train, StatusView::Relations);
      scene.WindowBaked = 1;
      e.TextPrompt(Prompt::Start);
      break;
    case InfoStep::Release:
      // The calendar's release starts the transition.
      if (a.TrainStep == TrainStep::InfoEvening)
        a.TrainStep = TrainStep::Evening;
      else if (a.TrainStep == TrainStep::InfoLate)
        a.TrainStep = TrainStep::LateEvening;
      break;
  }
}

void Calendar::TalkScreen(TalkStep step) {
  TAdv_Rec& a = train.Adv;
  switch (step) {
    case TalkStep::Compose: {
      const int p = a.Partner;
      if (!isCharacter(p)) return;
      if (a.TrainStep == TrainStep::Lunch) {
        e.DrawBackground(def::LunchHall, Target::Back);
        e.PlaceSprite(0, CharaWorkSprite[p], Target::Back);
      } else {
        a.Met[p] = 1;
        a.Actions = static_cast<uint8_t>(a.Actions + 1);
        if (p == 1) {
          const bool inHerRoom = a.Place == 1;
          e.DrawBackground(inHerRoom ? def::KyoukoLiving : def::Office, Target::Back);
          e.PlaceSprite(0, inHerRoom ? CharaPrivateSprite[1] : CharaWorkSprite[1], Target::Back);
        } else {
          e.DrawBackground(p == 2 ? def::SuzunaNight : def::MayuNight, Target::Back);
          e.PlaceSprite(0, CharaPrivateSprite[p], Target::Back);
        }
      }
      DrawBtnBar(BarKind::Topics);
      ShadeRect(draw, Shade::OntoBack, MesRect);
      StatusPanel(draw, e.ownTexts, train, StatusView::TimePanel);
      e.ClearButtons();
      break;
    }
    case TalkStep::Ready:
      for (int i = 1; i <= kTopics; ++i) {
        if (rules.OptionLocked(i) == 0) {
          btn.ButtonOn[i] = 1;
          e.DrawModeBtn(Look::Normal, i, Target::Screen);
        } else if (i != 3) {
          e.DrawModeBtn(Look::Inactive, i, Target::Screen);
        }
      }
      HintText();
      break;
    case TalkStep::Press: {
      int32_t& pressed = btn.PressedBtn;
      if (pressed == 0) return;
      if (!isLive(btn, pressed)) {
        pressed = 0;
        e.PlaySE(Sound::Refuse);
        return;
      }
      e.PlaySE(Sound::Accept);
      e.DrawModeBtn(Look::Pressed, pressed, Target::Screen);
      break;
    }
    case TalkStep::Release: {
      btn.SelectedBtn = btn.PressedBtn;
      const int32_t topic = btn.SelectedBtn;
      if (topic == 0) return;
      story.CheckTalk();
      if (scene.SceneNo == 0) {
        if (a.TrainStep == TrainStep::Lunch) {
          rules.ApplyStats(Stats::LunchTalk);
          scene.SceneLabel = lunchTalkLabel(a.Partner, topic);
          a.TrainStep = TrainStep::JobChoice;  // the calendar resumes at the afternoon job
        } else {
          rules.ApplyStats(Stats::EveningTalk);
          scene.SceneLabel = eveningTalkLabel(a.Place, topic);
        }
        scene.ScriptPos = 0;
        a.Partner = 0;
      }
      e.SetMode(GameMode::Scene);
      break;
    }
  }
}

}  // namespace shirakaba
