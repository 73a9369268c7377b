// The CG gallery (GameMode 2) and its viewer (GameMode 8). Entries of CGs not seen
// yet are drawn locked and refuse a press; the viewer shows one CG still, with a
// panel of three small buttons: no action, replay the pan, back to the gallery.
#include <string>

#include "engine/layouts.h"
#include "engine/live.h"
#include "screens/screens.h"

namespace shirakaba {

namespace {

constexpr int kEntryBtn = 6;     // DrawBtn kind of the entry CGNo
constexpr int kBackBtn = 7;      // DrawBtn kind of the back button
constexpr int kBackHit = 8;      // what the hit test gives for the back button
constexpr int kPanelBtn = 50;    // DrawBtn kind of the viewer panel; its buttons follow
constexpr int kReplayBtn = kPanelBtn + 2, kReturnBtn = kPanelBtn + 3;
constexpr int kNarrowW = 600;    // a CG narrower than the screen shows 600 columns

std::string entryNumber(int n) {
  const std::string digits = std::to_string(n);
  if (n >= 1 && n <= 9) return "  " + digits;
  if (n >= 10 && n <= 99) return " " + digits;
  return digits;
}

}  // namespace

void Screens::GalleryScreen(GalleryStep step) {
  int& pressed = btn.PressedBtn;
  switch (step) {
    case GalleryStep::Compose:
      DrawPic(draw, 0, 0, pic::GalleryBack, Target::Back);
      e.DrawBtn(Look::Normal, kBackBtn, Target::Back);
      for (int n = 1; n <= kCGs; ++n) {
        scene.CGNo = static_cast<uint8_t>(n);
        e.DrawBtn(record.CGSeen[n] > 0 ? Look::Normal : Look::Unseen, kEntryBtn, Target::Back);
      }
      GalleryScreen(GalleryStep::EntryNumbers);
      scene.CGNo = 0;
      scene.ScriptPos = 0;
      e.CG_Timer.Tag = 0;
      break;
    case GalleryStep::Pick:
      if (pressed == kBackHit) {
        pressed = kBackBtn;
      } else if (pressed < 1 || pressed > kCGs) {
        pressed = 0;  // grid cells without an entry: ignored, no sound
      } else if (record.CGSeen[pressed] == 0) {
        pressed = 0;
        e.PlaySE(Sound::Refuse);
      } else {
        scene.CGNo = static_cast<uint8_t>(pressed);
        pressed = kEntryBtn;
      }
      break;
    case GalleryStep::Press:
      if (pressed > 0) {
        e.PlaySE(Sound::Accept);
        e.DrawBtn(Look::Pressed, pressed, Target::Screen);
      }
      break;
    case GalleryStep::Release:
      if (pressed == kEntryBtn)
        e.SetMode(GameMode::Viewer);
      else if (pressed == kBackBtn)
        e.ResetGame(Reset::ToTitle);
      break;
    case GalleryStep::ViewerCompose: {
      Bitmap& cg = draw.ImageCG;
      // A CG that cannot be read is not reported (the game has no error box of its
      // own for it): the viewer keeps the picture it has and its buttons still work.
      if (!LoadCG(draw, e.CGTable(scene.CGNo).PicNo, CGLoad::Hold)) {
        cg.clear();
        return;
      }
      const int w = cg.width;
      Bitmap& back = draw.BackBuffer;
      if (w < kScreenW) {
        DrawPic(draw, 0, 0, pic::Backdrop, Target::Back);
        copyRect(cg, Rect{0, 0, kNarrowW, kScreenH}, back, NarrowRect);
      } else if (w == kScreenW) {
        copyRect(cg, ScreenRect, back, ScreenRect);
      } else {
        // A wide CG shows its right-hand end, where its pan stops.
        copyRect(cg, Rect{w - kScreenW, 0, w, kScreenH}, back, ScreenRect);
      }
      cg.clear();
      break;
    }
    case GalleryStep::ViewerShow: {
      e.ClearButtons();
      e.DrawBtn(Look::Normal, kPanelBtn, Target::Screen);
      const CGRec& row = e.CGTable(scene.CGNo);
      btn.ButtonOn[1] = 1;
      btn.ButtonOn[2] = row.StepX != 0 || row.StepY != 0 ? 1 : 0;  // replay only a CG that pans
      btn.ButtonOn[3] = 1;
      for (int i = 1; i <= ViewerBtnLayout.Cols; ++i)
        if (btn.ButtonOn[i] == 1) e.DrawBtn(Look::Normal, kPanelBtn + i, Target::Screen);
      break;
    }
    case GalleryStep::ViewerPress:
      if (pressed > 0) {
        if (isLive(btn, pressed)) {
          GalleryScreen(GalleryStep::ReplayEnded);  // a fresh viewer clears an earlier pressed button
          pressed += kPanelBtn;
        } else {
          e.PlaySE(Sound::Refuse);
          pressed = 0;
        }
      }
      GalleryScreen(GalleryStep::Press);
      break;
    case GalleryStep::ViewerRelease:
      if (pressed == kReplayBtn) {
        e.CG_Timer.Tag = 1;
        e.SetMode(GameMode::CGDisplay);
      } else if (pressed == kReturnBtn) {
        e.SetMode(GameMode::Gallery);
      }
      break;
    case GalleryStep::EntryNumbers:
      for (int n = 1; n <= kCGs; ++n) {
        const LayoutRec row = GalleryRows(GalleryPos(0, n));
        const int x = GalleryPos(1, n), y = GalleryPos(2, n);
        const std::string text = entryNumber(n);
        // White digits with a black copy one pixel right and below.
        SetTextFont(draw, TextBrush::Clear, 14, kBlack);
        TextOut(draw, Target::Back, x + row.W - 38, y + row.H - 20, text);
        SetTextFont(draw, TextBrush::Clear, 14, kWhite);
        TextOut(draw, Target::Back, x + row.W - 39, y + row.H - 21, text);
      }
      break;
    case GalleryStep::ReplayEnded:
      if (shell.GameMode != GameMode::Viewer) shell.GameMode = GameMode::Viewer;
      GalleryScreen(GalleryStep::ViewerCompose);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      GalleryScreen(GalleryStep::ViewerShow);
      break;
  }
}

}  // namespace shirakaba
