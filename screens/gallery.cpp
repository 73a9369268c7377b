// The CG gallery (GameMode 2) and its viewer (GameMode 8). Entries of CGs not seen
// yet are drawn locked and refuse a press; the viewer shows one CG still, with a
// panel of three small buttons: no action, replay the pan, back to the gallery.
#include <string>

#include "engine/form.h"
#include "engine/layouts.h"
#include "screens/live.h"

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

void TXP_Form::GalleryScreen(int step) {
  int& pressed = btn.PressedBtn;
  switch (step) {
    case 0:
      DrawPic(draw, 0, 0, pic::GalleryBack, kToBack);
      DrawBtn(0, kBackBtn, kToBack);
      for (int n = 1; n <= kCGs; ++n) {
        scene.CGNo = static_cast<uint8_t>(n);
        DrawBtn(record.CGSeen[n] > 0 ? 0 : 2, kEntryBtn, kToBack);
      }
      GalleryScreen(8);
      scene.CGNo = 0;
      scene.ScriptPos = 0;
      CG_Timer.Tag = 0;
      break;
    case 1:
      if (pressed == kBackHit) {
        pressed = kBackBtn;
      } else if (pressed < 1 || pressed > kCGs) {
        pressed = 0;  // grid cells without an entry: ignored, no sound
      } else if (record.CGSeen[pressed] == 0) {
        pressed = 0;
        PlaySE(4);
      } else {
        scene.CGNo = static_cast<uint8_t>(pressed);
        pressed = kEntryBtn;
      }
      break;
    case 2:
      if (pressed > 0) {
        PlaySE(1);
        DrawBtn(1, pressed, kToScreen);
      }
      break;
    case 3:
      if (pressed == kEntryBtn)
        SetMode(8);
      else if (pressed == kBackBtn)
        ResetGame(3);
      break;
    case 4: {
      Bitmap& cg = draw.ImageCG;
      if (!LoadCG(draw, CGTable(scene.CGNo).PicNo, 1)) {
        cg.clear();
        return;
      }
      const int w = cg.width;
      Bitmap& back = draw.BackBuffer;
      if (w < kScreenW) {
        DrawPic(draw, 0, 0, pic::Backdrop, kToBack);
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
    case 5: {
      ClearButtons();
      DrawBtn(0, kPanelBtn, kToScreen);
      const CGRec& row = CGTable(scene.CGNo);
      btn.ButtonOn[1] = 1;
      btn.ButtonOn[2] = row.StepX != 0 || row.StepY != 0 ? 1 : 0;  // replay only a CG that pans
      btn.ButtonOn[3] = 1;
      for (int i = 1; i <= ViewerBtnLayout.Cols; ++i)
        if (btn.ButtonOn[i] == 1) DrawBtn(0, kPanelBtn + i, kToScreen);
      break;
    }
    case 6:
      if (pressed > 0) {
        if (isLive(btn, pressed)) {
          GalleryScreen(9);  // a fresh viewer clears an earlier pressed button
          pressed += kPanelBtn;
        } else {
          PlaySE(4);
          pressed = 0;
        }
      }
      GalleryScreen(2);
      break;
    case 7:
      if (pressed == kReplayBtn) {
        CG_Timer.Tag = 1;
        SetMode(5);
      } else if (pressed == kReturnBtn) {
        SetMode(2);
      }
      break;
    case 8:
      for (int n = 1; n <= kCGs; ++n) {
        const LayoutRec row = GalleryRows(GalleryPos(0, n));
        const int x = GalleryPos(1, n), y = GalleryPos(2, n);
        const std::string text = entryNumber(n);
        // White digits with a black copy one pixel right and below.
        SetTextFont(draw, 0, 14, kBlack);
        TextOut(draw, kToBack, x + row.W - 38, y + row.H - 20, text);
        SetTextFont(draw, 0, 14, kWhite);
        TextOut(draw, kToBack, x + row.W - 39, y + row.H - 21, text);
      }
      break;
    case 9:
      if (GameMode != 8) GameMode = 8;
      GalleryScreen(4);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      GalleryScreen(5);
      break;
    default: break;
  }
}

}  // namespace shirakaba
