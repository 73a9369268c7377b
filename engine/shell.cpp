// Start-up, the mode tick that runs every screen change, and the resets of the game.
#include "base/glyphs.h"
#include "engine/engine.h"

namespace shirakaba {

Engine::Engine(EngineState& s, EngineConfig cfg, Host& h, GameHooks& g)
    : config(std::move(cfg)),
      host(h),
      hooks(g),
      Cha_Timer(clock, s.timers.Cha_Timer, "Cha_Timer"),
      CG_Timer(clock, s.timers.CG_Timer, "CG_Timer"),
      J_Timer(clock, s.timers.J_Timer, "J_Timer"),
      Text_Timer(clock, s.timers.Text_Timer, "Text_Timer"),
      draw(s.surfaces, config.pack ? *config.pack : PackFile(packPath())),
      Ani_Timer(clock, s.timers.Ani_Timer, "Ani_Timer"),
      shell(s.shell),
      menu(s.menu),
      btn(s.btn),
      scene(s.scene),
      pan(s.pan),
      record(s.record),
      shown(s.shown),
      menus(*this) {
  // Timers due at the same moment fire in this order.
  clock.add(s.timers.Cha_Timer, [this] { Cha_TimerTimer(); });
  clock.add(s.timers.CG_Timer, [this] { CG_TimerTimer(); });
  clock.add(s.timers.J_Timer, [this] { hooks.jobTimerTick(); });
  clock.add(s.timers.Ani_Timer, [] {});  // its handler does nothing
  clock.add(s.timers.Text_Timer, [this] { Text_TimerTimer(); });
  draw.onScreenText = [this](const std::string& text) { host.textShown(text); };
}

std::string Engine::gamePath(const std::string& relative) const {
  if (config.gameDir.empty()) return relative;
  return config.gameDir + "/" + relative;
}

std::string Engine::packPath() const { return gamePath("data/lumora.red"); }

void Engine::showModal(DialogKind kind, const std::string& text) {
  shell.dialog = kind;
  shell.dialogText = text;
  host.showDialog(kind, text);
}

void Engine::dialogClosed() {
  shell.dialog = DialogKind::None;
  shell.dialogText.clear();
}

// ---- Start-up and shutdown ----

void Engine::FormCreate() {
  menu[MenuId::Text_Btn].Visible = false;
  menu[MenuId::Text_Btn].Enabled = false;
  menu[MenuId::Test_Btn].Visible = false;
  menu[MenuId::Test_Btn].Enabled = false;
  menu[MenuId::ReStart_Btn].Visible = false;
  if (!draw.font) {
    // Without a font the game runs on and writes no text; the front end tells the player.
    if (auto font = findGameFont()) draw.font = font.value();
  }

  if (!draw.pack.exists()) {
    showModal(DialogKind::Message, std::string(own::MissingFiles) + "\n");  // no pack: no translation
    draw.surfaces.imageBaVisible = false;
    // Without buffers and script nothing can start: the game items stay dead.
    menu[MenuId::Start_Btn].Enabled = false;
    menu[MenuId::ReStart_Btn].Enabled = false;
    menu[MenuId::ReSet_Btn].Enabled = false;
    return;
  }
  ResetGame(Reset::StartUp);
  menus.InitSettings();
  SetupBuffers(Buffers::Create);
  // A script block that cannot be read leaves the script empty; the game then starts
  // on its title as usual and every scene shows its label in the notice bar, which
  // tells a data author more than an error box would.
  (void)LoadScript(draw.pack, Script);
  ownTexts = OwnTexts::read(Script);
  logMissingGlyphs();
  SetMode(GameMode::Logo);
}

// Once at start-up: the characters of the script that the font cannot draw.
void Engine::logMissingGlyphs() {
  if (!draw.font) return;
  const std::vector<MissingGlyph> missing = findMissingGlyphs(Script.lines, *draw.font);
  if (missing.empty()) return;
  std::string list;
  for (const MissingGlyph& m : missing)
    list += " " + describeCodepoint(m.cp) + " (line " + std::to_string(m.line + 1) + ")";
  host.log("no installed font can draw" + list + "; the game's font is " + draw.font->family());
}

void Engine::FormClose() {
  for (Timer* t : {&Cha_Timer, &J_Timer, &CG_Timer, &Ani_Timer, &Text_Timer})
    if (t->Enabled()) t->setEnabled(false);
  SetupBuffers(Buffers::Free);
}

void Engine::closeMainWindow() {
  if (shell.closed) return;
  FormClose();
  shell.closed = true;
  host.closeWindow();
}

void Engine::SetupBuffers(Buffers kind) {
  Surfaces& s = draw.surfaces;
  if (kind == Buffers::Create) {
    s.BackBuffer = Bitmap::create32(kScreenW, kScreenH);
    s.backBufferCreated = true;
    Script.clear();
  } else if (kind == Buffers::Free) {
    s.BackBuffer.clear();
    s.backBufferCreated = false;
    Script.clear();
  }
}

// ---- The mode tick ----

void Engine::SetMode(GameMode mode) {
  shell.GameMode = mode;
  ArmTick(Tick::Start);
}

void Engine::ArmTick(Tick kind) {
  if (kind == Tick::Start) {
    for (MenuId id : {MenuId::Start_Btn, MenuId::ReStart_Btn, MenuId::ReSet_Btn})
      if (menu[id].Enabled) menu[id].Enabled = false;
    if (Text_Timer.Enabled()) Text_Timer.setEnabled(false);
    Cha_Timer.Tag = 0;
    Cha_Timer.setEnabled(true);
  } else if (kind == Tick::End) {
    if (shell.GameMode == GameMode::Title)
      menu[MenuId::Start_Btn].Enabled = true;
    else
      menu[MenuId::ReSet_Btn].Enabled = true;
  }
}

// Which routine composes and which shows each mode is the game's mode table.
void Engine::ModeStep(Phase phase) {
  if (phase == Phase::Compose) {
    hooks.composeMode(shell.GameMode);
    return;
  }
  if (phase != Phase::Show) return;
  Cha_Timer.setEnabled(false);
  Cha_Timer.Tag = 0;
  ArmTick(Tick::End);
  hooks.showMode(shell.GameMode);
}

// The tick: tag 0 composes, tags 1..20 wipe one 32-pixel column each, tag 21 shows.
void Engine::Cha_TimerTimer() {
  const int t = Cha_Timer.Tag;
  if (shell.GameMode == GameMode::Logo) {
    if (t == 0) {
      ModeStep(Phase::Compose);
    } else if (t == 2) {
      // The title was composed behind the logo: mode 1 starts with the wipe.
      shell.GameMode = GameMode::Title;
      Cha_Timer.Tag = 0;
      Cha_Timer.setInterval(30);
    }
  } else if (t == 0) {
    ModeStep(Phase::Compose);
  } else if (t == 21) {
    ModeStep(Phase::Show);
  } else {
    WipeStep(t);
  }
  Cha_Timer.Tag = Cha_Timer.Tag + 1;
}

// ---- Resets and records ----

void Engine::ResetGame(Reset variant) {
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
    case Reset::StartUp:
      UpdateRecord(RecordUpdate::StartUp);
      shell.GameMode = GameMode::Logo;
      pan.PanX = 0;
      pan.PanY = 0;
      break;
    case Reset::NewGame:
      UpdateRecord(RecordUpdate::NewGame);
      hooks.resetTraining();
      host.gameStarted();
      SetMode(GameMode::Calendar);
      break;
    case Reset::Resume:
      UpdateRecord(RecordUpdate::NewGame);
      SetMode(GameMode::Resume);
      break;
    case Reset::ToTitle: SetMode(GameMode::Title); break;
    case Reset::SceneList: SetMode(GameMode::SceneList); break;
  }
}

void Engine::UpdateRecord(RecordUpdate kind) {
  switch (kind) {
    case RecordUpdate::StartUp:
      record.CGSpeed = 2;
      for (int n = 1; n <= kCGs; ++n) record.CGSeen[n] = 0;
      [[fallthrough]];
    case RecordUpdate::NewGame:
      hooks.resetEvents();
      break;
    case RecordUpdate::CGShown:
      MarkCGSeen(scene.CGNo);
      if (scene.CGNo >= 1 && scene.CGNo <= kCGs && CGTable(scene.CGNo).LinkedCG != 0)
        MarkCGSeen(CGTable(scene.CGNo).LinkedCG);
      break;
    case RecordUpdate::EventStarted:
      hooks.markEventDone(scene.SceneNo);
      break;
  }
}

void Engine::MarkCGSeen(int n) {
  if (n < 1 || n > kCGs) return;
  record.CGSeen[n] = CGTable(n).StepY != 0 ? 2 : 1;
}

void Engine::ClearButtons() {
  for (uint8_t& b : btn.ButtonOn) b = 0;
}

}  // namespace shirakaba
