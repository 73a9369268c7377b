// The lunch break, the walks through the dormitory and its grounds, self-study, the
// information screen and the conversation screen (GameMode 13) with its topics.
#include "calendar/tables.h"
#include "engine/form.h"
#include "screens/live.h"

namespace shirakaba {

namespace {

constexpr Point kPanelAt{80, 80};
constexpr int kLunchSeats = 3;   // lunch buttons 1..3: sit with character 1..3
constexpr int kLunchWalkButton = 6;
constexpr int kTopics = 4;

bool isCharacter(int c) { return c >= 1 && c <= kCharacters; }

// The outside backgrounds exist for places 7..10 only; elsewhere the last picture stays.
const char* outsideBackground(const char* const (&table)[4], int place) {
  return place >= 7 && place <= 10 ? table[place - 7] : nullptr;
}

}  // namespace

int TXP_Form::PlaceOfButton(int b) const {
  if (train.Adv.Area == 0) return b >= 0 && b < kCorridorButtons ? CorridorPlaces[b] : 0;
  return b >= 0 && b < kOutsideButtons ? OutsidePlaces[b] : 0;
}

int TXP_Form::PlaceClosed(int p) const {
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

std::string TXP_Form::PlaceLabel(int p) {
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

void TXP_Form::LunchBreak(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 0:
      DrawBackground(def::LunchHall, kToBack);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskA, draw.BackBuffer);
      break;
    case 1:
      btn.ButtonOn[1] = 1;
      btn.ButtonOn[2] = 1;
      if (OptionLocked(3) == 0) btn.ButtonOn[3] = 1;
      btn.ButtonOn[kLunchWalkButton] = 1;
      DrawCalBtn(0, kLunchWalkButton, kToScreen);
      for (int b = 1; b <= kLunchSeats; ++b)
        if (isLive(btn, b)) DrawCalBtn(0, b, kToScreen);
      ShowFace(1, def::TraineeFace);
      break;
    case 2: {
      const int32_t b = btn.SelectedBtn;
      if (b >= 1 && b <= kLunchSeats) {
        CheckVisit();
        if (scene.SceneNo != 0) {
          LunchBreak(3);  // after the visit the afternoon job follows
        } else {
          a.Partner = static_cast<uint8_t>(b);
          GameMode = 13;
        }
      } else if (b == kLunchWalkButton) {
        a.TrainStep = 18;
        a.Place = kLunchWalkStart;
        a.Area = 2;
        DrawBackground(def::DayOutside[0], kToBack);
      }
      break;
    }
    case 3:
      a.TrainStep = 2;
      a.Place = 0;
      a.Area = 0;
      break;
    default: break;
  }
}

void TXP_Form::WalkScreen(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 0: {
      const char* background = nullptr;
      if (a.Area == 0)
        background = def::Corridor;
      else if (a.Area == 1)
        background = outsideBackground(def::NightOutside, a.Place);
      else if (a.Area == 2)
        background = outsideBackground(def::DayOutside, a.Place);
      if (background) DrawBackground(background, kToBack);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskA, draw.BackBuffer);
      break;
    }
    case 1:
      for (int b = 1; b <= kWalkTiles; ++b) {
        const int p = PlaceOfButton(b);
        if (p == a.Place || PlaceClosed(p) == 1) {
          DrawCalBtn(1, b, kToScreen);  // shown pressed, not choosable
        } else {
          btn.ButtonOn[b] = 1;
          DrawCalBtn(0, b, kToScreen);
        }
      }
      if (a.Area == 0) {
        btn.ButtonOn[kGoOutsideButton] = 1;
        DrawCalBtn(0, kGoOutsideButton, kToScreen);
      }
      ShowFace(1, a.Area == 2 ? def::TraineeFace : def::TraineePrivateFace);
      break;
    case 2: {
      const int32_t b = btn.SelectedBtn;
      a.Place = static_cast<uint8_t>(PlaceOfButton(b));
      if (a.Area == 0 && b == kBackToWorkButton) {
        a.Area = 0;
        a.TrainStep = 16;  // back in her room: the walk is over
        return;
      }
      if (a.Area == 0 && b == kGoOutsideButton) {
        a.Area = 1;
        DrawBackground(def::DormFront, kToBack);
      } else if (a.Area == 1 && b == kBackToWorkButton) {
        a.Area = 0;
        DrawBackground(def::Corridor, kToBack);
        if (a.Actions == 0) a.Actions = 1;  // the outing counts as the evening's activity
      } else if (a.Area == 2 && b == kBackToWorkButton) {
        LunchBreak(3);
        return;
      }
      CheckArmed();
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
        GameMode = 13;
        return;
      }
      a.SceneLabel = PlaceLabel(a.Place);
      scene.ScriptPos = 0;
      GameMode = 6;
      break;
    }
    default: break;
  }
}

void TXP_Form::StudyScreen(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 0:
      DrawBackground(def::Desk, kToBack);
      BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::Panel, pic::PanelMask, draw.BackBuffer);
      PlaceSprite(1, def::Trainee, kToBack);
      break;
    case 1:
      StatusPanel(5);
      ApplyStats(8);
      a.Actions = static_cast<uint8_t>(a.Actions + 1);
      break;
    case 2: a.TrainStep = a.Actions > 1 ? 16 : 8; break;
    default: break;
  }
}

void TXP_Form::InfoScreen(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 0: {
      DrawBackground(def::EveningRoom, kToBack);
      const int c = JobRule(4, 0);
      const bool liked = isCharacter(c) && train.CharaStat[c].Affection >= kInfoAffection;
      PlaceSprite(1, liked ? CharaPrivateSprite[c] : def::TraineePrivate, kToBack);
      BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::InfoPanel, pic::InfoPanelMask, draw.BackBuffer);
      break;
    }
    case 1:
      StatusPanel(6);
      scene.WindowBaked = 1;
      TextPrompt(0);
      break;
    case 2:
      // The calendar's release starts the transition.
      if (a.TrainStep == 20)
        a.TrainStep = 8;
      else if (a.TrainStep == 21)
        a.TrainStep = 16;
      break;
    default: break;
  }
}

void TXP_Form::TalkScreen(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 0: {
      const int p = a.Partner;
      if (!isCharacter(p)) return;
      if (a.TrainStep == 15) {
        DrawBackground(def::LunchHall, kToBack);
        PlaceSprite(0, CharaWorkSprite[p], kToBack);
      } else {
        a.Met[p] = 1;
        a.Actions = static_cast<uint8_t>(a.Actions + 1);
        if (p == 1) {
          const bool inHerRoom = a.Place == 1;
          DrawBackground(inHerRoom ? def::KyoukoLiving : def::Office, kToBack);
          PlaceSprite(0, inHerRoom ? CharaPrivateSprite[1] : CharaWorkSprite[1], kToBack);
        } else {
          DrawBackground(p == 2 ? def::SuzunaNight : def::MayuNight, kToBack);
          PlaceSprite(0, CharaPrivateSprite[p], kToBack);
        }
      }
      DrawBtnBar(1);
      ShadeRect(draw, 0, MesRect);
      StatusPanel(0);
      ClearButtons();
      break;
    }
    case 1:
      for (int i = 1; i <= kTopics; ++i) {
        if (OptionLocked(i) == 0) {
          btn.ButtonOn[i] = 1;
          DrawModeBtn(0, i, kToScreen);
        } else if (i != 3) {
          DrawModeBtn(2, i, kToScreen);
        }
      }
      HintText();
      break;
    case 2: {
      int32_t& pressed = btn.PressedBtn;
      if (pressed == 0) return;
      if (!isLive(btn, pressed)) {
        pressed = 0;
        PlaySE(4);
        return;
      }
      PlaySE(1);
      DrawModeBtn(1, pressed, kToScreen);
      break;
    }
    case 3: {
      btn.SelectedBtn = btn.PressedBtn;
      const int32_t topic = btn.SelectedBtn;
      if (topic == 0) return;
      CheckTalk();
      if (scene.SceneNo == 0) {
        if (a.TrainStep == 15) {
          ApplyStats(7);
          a.SceneLabel = lunchTalkLabel(a.Partner, topic);
          a.TrainStep = 2;  // the calendar resumes at the afternoon job
        } else {
          ApplyStats(6);
          a.SceneLabel = eveningTalkLabel(a.Place, topic);
        }
        scene.ScriptPos = 0;
        a.Partner = 0;
      }
      SetMode(6);
      break;
    }
    default: break;
  }
}

}  // namespace shirakaba
