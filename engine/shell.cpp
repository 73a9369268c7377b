// Start-up, the mode tick that runs every screen change, and the resets of the game.
#include "engine/form.h"

#include "base/glyphs.h"

namespace shirakaba {

TXP_Form::TXP_Form(Host& h, FormConfig cfg)
    : host(h),
      config(std::move(cfg)),
      Cha_Timer(clock, "Cha_Timer", 500, 0),
      CG_Timer(clock, "CG_Timer", 40, 1),
      J_Timer(clock, "J_Timer", 100, 2),
      Ani_Timer(clock, "Ani_Timer", 200, 3),
      Text_Timer(clock, "Text_Timer", 400, 4) {
  Cha_Timer.OnTimer = [this] { Cha_TimerTimer(); };
  CG_Timer.OnTimer = [this] { CG_TimerTimer(); };
  J_Timer.OnTimer = [this] { J_TimerTimer(); };
  Ani_Timer.OnTimer = [] {};  // its handler does nothing
  Text_Timer.OnTimer = [this] { Text_TimerTimer(); };
  draw.pack = config.pack ? *config.pack : PackFile(packPath());
}

std::string TXP_Form::gamePath(const std::string& relative) const {
  if (config.gameDir.empty()) return relative;
  return config.gameDir + "/" + relative;
}

std::string TXP_Form::packPath() const { return gamePath("data/lumora.red"); }

// ---- Events from the window ----
// While a modal dialog is open, the screen and the menu take no input; the timers go on.

void TXP_Form::mouseDown(MouseButton b, int x, int y) {
  if (closed_ || modalOpen() || !draw.imageBaVisible) return;
  ImageBaMouseDown(b, x, y);
}

void TXP_Form::mouseUp(MouseButton b, int x, int y) {
  if (closed_ || modalOpen() || !draw.imageBaVisible) return;
  ImageBaMouseUp(b, x, y);
}

void TXP_Form::mouseMove(int x, int y) {
  if (closed_ || modalOpen() || !draw.imageBaVisible) return;
  ImageBaMouseMove(x, y);
}

void TXP_Form::menuClick(MenuId id) {
  if (!menu.reachable(static_cast<int>(id))) return;
  callHandler(id);
}

void TXP_Form::callHandler(MenuId id) {
  if (closed_ || modalOpen()) return;
  switch (id) {
    case MenuId::Start_Btn: Start_BtnClick(); break;
    case MenuId::ReStart_Btn: ReStart_BtnClick(); break;
    case MenuId::ReSet_Btn: ReSet_BtnClick(); break;
    case MenuId::Exit_Btn: Exit_BtnClick(); break;
    case MenuId::ON1:
    case MenuId::OFF1: ON1Click(id); break;
    case MenuId::CG_H:
    case MenuId::CG_F:
    case MenuId::CG_O: CG_FClick(id); break;
    case MenuId::Mes_Btn: Mes_BtnClick(); break;
    case MenuId::About_Btn: About_BtnClick(); break;
    case MenuId::Text_Btn: Text_BtnClick(); break;
    case MenuId::Test_Btn: Test_BtnClick(); break;
    default: break;  // submenus and the separator have no handler
  }
}

void TXP_Form::showModal(DialogKind kind, const std::string& text) {
  dialog_ = kind;
  dialogText_ = text;
  host.showDialog(kind, text);
}

void TXP_Form::dialogClosed() {
  dialog_ = DialogKind::None;
  dialogText_.clear();
}

// ---- Start-up and shutdown ----

void TXP_Form::FormCreate() {
  menu[MenuId::Text_Btn].Visible = false;
  menu[MenuId::Text_Btn].Enabled = false;
  menu[MenuId::Test_Btn].Visible = false;
  menu[MenuId::Test_Btn].Enabled = false;
  menu[MenuId::ReStart_Btn].Visible = false;
  if (!draw.font) draw.font = findGameFont();

  if (!draw.pack.exists()) {
    showModal(DialogKind::Message, "ファイルが足りません\n");
    draw.imageBaVisible = false;
    // Without buffers and script nothing can start: the game items stay dead.
    menu[MenuId::Start_Btn].Enabled = false;
    menu[MenuId::ReStart_Btn].Enabled = false;
    menu[MenuId::ReSet_Btn].Enabled = false;
    return;
  }
  ResetGame(0);
  InitSettings();
  SetupBuffers(0);
  LoadScript(draw.pack, Script);
  logMissingGlyphs();
  SetMode(0);
}

// Once at start-up: the characters of the script that the font cannot draw.
void TXP_Form::logMissingGlyphs() {
  if (!draw.font) return;
  const std::vector<MissingGlyph> missing = findMissingGlyphs(Script.lines, *draw.font);
  if (missing.empty()) return;
  std::string list;
  for (const MissingGlyph& m : missing)
    list += " " + describeCodepoint(m.cp) + " (line " + std::to_string(m.line + 1) + ")";
  host.log("the font " + draw.font->family() + " cannot draw" + list);
}

void TXP_Form::FormClose() {
  for (Timer* t : {&Cha_Timer, &J_Timer, &CG_Timer, &Ani_Timer, &Text_Timer})
    if (t->Enabled()) t->setEnabled(false);
  SetupBuffers(1);
}

void TXP_Form::closeMainWindow() {
  if (closed_) return;
  FormClose();
  closed_ = true;
  host.closeWindow();
}

void TXP_Form::SetupBuffers(int kind) {
  if (kind == 0) {
    draw.BackBuffer = Bitmap::create32(kScreenW, kScreenH);
    draw.backBufferCreated = true;
    Script.clear();
  } else if (kind == 1) {
    draw.BackBuffer.clear();
    draw.backBufferCreated = false;
    Script.clear();
  }
}

// ---- The mode tick ----

void TXP_Form::SetMode(int32_t mode) {
  GameMode = mode;
  ArmTick(0);
}

void TXP_Form::ArmTick(int kind) {
  if (kind == 0) {
    for (MenuId id : {MenuId::Start_Btn, MenuId::ReStart_Btn, MenuId::ReSet_Btn})
      if (menu[id].Enabled) menu[id].Enabled = false;
    if (Text_Timer.Enabled()) Text_Timer.setEnabled(false);
    Cha_Timer.Tag = 0;
    Cha_Timer.setEnabled(true);
  } else if (kind == 1) {
    if (GameMode == 1)
      menu[MenuId::Start_Btn].Enabled = true;
    else
      menu[MenuId::ReSet_Btn].Enabled = true;
  }
}

void TXP_Form::ModeStep(int phase) {
  if (phase == 0) {
    switch (GameMode) {
      case 0: OpeningScreen(); break;
      case 1: TitleMenu(0); break;
      case 2: GalleryScreen(0); break;
      case 4: CalendarEnter(); break;
      case 5: ShowCG(); break;
      case 6: RunCommand(); break;
      case 7: EndScreen(0); break;
      case 8: GalleryScreen(4); break;
      case 10: StatusScreen(0); break;
      case 13: TalkScreen(0); break;
      case 100: SceneListScreen(0); break;
      default: break;
    }
    return;
  }
  if (phase != 1) return;
  Cha_Timer.setEnabled(false);
  Cha_Timer.Tag = 0;
  ArmTick(1);
  switch (GameMode) {
    case 1: TitleMenu(1); break;
    case 4: CalendarReady(); break;
    case 5: CG_Timer.setEnabled(true); break;
    case 6:
      if (CG_Timer.Tag == 1)
        GalleryScreen(9);
      else
        NextPage(0);
      break;
    case 7: EndScreen(1); break;
    case 8: GalleryScreen(5); break;
    case 10: StatusScreen(1); break;
    case 13: TalkScreen(1); break;
    case 100: SceneListScreen(1); break;
    default: break;
  }
}

void TXP_Form::Cha_TimerTimer() {
  const int t = Cha_Timer.Tag;
  if (GameMode == 0) {
    if (t == 0) {
      ModeStep(0);
    } else if (t == 2) {
      // The title was composed behind the logo: mode 1 starts with the wipe.
      GameMode = 1;
      Cha_Timer.Tag = 0;
      Cha_Timer.setInterval(30);
    }
  } else if (t == 0) {
    ModeStep(0);
  } else if (t == 21) {
    ModeStep(1);
  } else {
    WipeStep(t);
  }
  Cha_Timer.Tag = Cha_Timer.Tag + 1;
}

// ---- Resets and records ----

void TXP_Form::ResetGame(int variant) {
  CG_Timer.Tag = 0;
  btn.PressedBtn = 0;
  scene.TestMode = 0;
  ClearButtons();
  scene.SceneNo = 0;
  scene.CGNo = 0;
  scene.ScriptPos = 0;
  scene.WindowBaked = 0;
  btn.SelectedBtn = 0;
  switch (variant) {
    case 0:
      UpdateRecord(0);
      GameMode = 0;
      PanX = 0;
      PanY = 0;
      break;
    case 1:
      UpdateRecord(1);
      ResetAdv(0);
      SetMode(4);
      break;
    case 2:
      UpdateRecord(1);
      SetMode(11);
      break;
    case 3: SetMode(1); break;
    case 4: SetMode(100); break;
    default: break;
  }
}

void TXP_Form::UpdateRecord(int kind) {
  switch (kind) {
    case 0:
      record.CGSpeed = 2;
      for (int n = 1; n <= kCGs; ++n) record.CGSeen[n] = 0;
      [[fallthrough]];
    case 1:
      for (int i = 1; i <= kEvents; ++i) {
        events.EventState[i] = EventTable[i].InitState;
        events.EventWait[i] = 0;
      }
      break;
    case 3:
      MarkCGSeen(scene.CGNo);
      if (scene.CGNo >= 1 && scene.CGNo <= kCGs && CGTable(scene.CGNo).LinkedCG != 0)
        MarkCGSeen(CGTable(scene.CGNo).LinkedCG);
      break;
    case 4:
      if (scene.SceneNo >= 1 && scene.SceneNo <= kEvents) events.EventState[scene.SceneNo] = 3;
      break;
    default: break;
  }
}

void TXP_Form::MarkCGSeen(int n) {
  if (n < 1 || n > kCGs) return;
  record.CGSeen[n] = CGTable(n).StepY != 0 ? 2 : 1;
}

void TXP_Form::ClearButtons() {
  for (uint8_t& b : btn.ButtonOn) b = 0;
}

}  // namespace shirakaba
