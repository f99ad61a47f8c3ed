// The main window's life: creation, the start button, the device and timer callbacks,
// focus changes and destruction.
#include "game/Form1.h"

#include <cstdio>

#include "archive/PxDb.h"
#include "game/LevelTable.h"
#include "render/PxCanvas.h"
#include "render/PxDevices.h"
#include "render/PxFonts.h"
#include "render/PxImages.h"
#include "sound/SoundSystem.h"
#include "sprites/SpriteEngine.h"
#include "timing/PxKeyboard.h"
#include "timing/PxTimers.h"

namespace tvx {

namespace {
constexpr std::uint32_t kTimer1Interval = 3000;
constexpr std::uint32_t kEffectInterval = 5000;
constexpr std::uint32_t kBlinkInterval = 100;
constexpr int kMaxFramesPerSecond = 360;
// Frames are paced to the display's rate, or to 60 when it reports none (Xvfb) or one too
// low to be a display's.
constexpr int kUnknownDisplayRate = 60;
constexpr int kLowestDisplayRate = 24;
}  // namespace

TForm1::TForm1(const PlatformParts& parts) : TForm(nullptr), parts_(parts) {
  Device_ = CreateComponent<TPxDevice>(this, parts_.graphics);
  Device_->SetWindowed(false);
  Device_->SetVSync(true);
  Device_->OnInitialize = [this](TComponent*, bool& success) { DeviceInitialize(success); };
  Device_->OnRender = [this](TComponent*) { DeviceRender(); };

  Timer_ = CreateComponent<TPxTimer>(this, parts_.clock, parts_.application);
  Timer_->SetSpeed(60.0);
  // The original's 150 would hold a 165, 240 or 360 Hz display to fewer frames than refreshes.
  Timer_->SetMaxFPS(kMaxFramesPerSecond);
  Timer_->SetEnabled(false);
  Timer_->OnTimer = [this](TComponent*) { TimerTimer(); };
  Timer_->OnProcess = [this](TComponent*) { TimerProcess(); };

  MyCanvas_ = CreateComponent<TPxCanvas>(this);
  MyCanvas_->SetPublisher(Device_);
  Images_ = CreateComponent<TPxImages>(this);
  Images_->SetPublisher(Device_);
  Images_->SetMipMappping(false);
  Fonts_ = CreateComponent<TPxFonts>(this);
  Fonts_->SetPublisher(Device_);
  Fonts_->SetCanvas(MyCanvas_);
  PxDb1_ = CreateComponent<TPxDb>(this);
  PxDb1_->OpenMode = TOpenModes::opReadOnly;  // a missing archive is never created
  Keyboard_ = CreateComponent<TPxKeyboard>(this, parts_.keyboard);

  Timer1_ = MakeTimer(kTimer1Interval, &TForm1::Timer1Timer);
  GameTimer_ = MakeTimer(0, &TForm1::GameTimerTimer);
  timerfirejet_ = MakeTimer(kEffectInterval, &TForm1::timerfirejetTimer);
  timerstars_ = MakeTimer(kEffectInterval, &TForm1::timerstarsTimer);
  SoundSystem1_ = CreateComponent<TSoundSystem>(this, parts_.audio);
  timeralpha_ = MakeTimer(kBlinkInterval, &TForm1::timeralphaTimer);

  parts_.application.SetEvents({
      .onKeyDown = [this](std::uint16_t key) { FormKeyDown(key); },
      .onDeactivate = [this] { ApplicationEvents1Deactivate(); },
      .onRestore = [this] { ApplicationEvents1Restore(); },
      .onStartClicked = [this] { Button1Click(); },
  });
  parts_.application.SetRestQuery([this](bool hidden) { return MayRest(hidden); });
  FormCreate();
}

TForm1::~TForm1() {
  parts_.application.SetRestQuery(nullptr);
  FormDestroy();
  // The window timers call back into this form: they go before the components.
  Timer1_.reset();
  GameTimer_.reset();
  timerfirejet_.reset();
  timerstars_.reset();
  timeralpha_.reset();
}

std::uintptr_t TForm1::WindowHandle() const { return parts_.application.WindowHandle(); }

std::unique_ptr<IIntervalTimer> TForm1::MakeTimer(std::uint32_t interval,
                                                  void (TForm1::*handler)()) {
  std::unique_ptr<IIntervalTimer> timer = parts_.application.CreateTimer();
  timer->SetEnabled(false);
  if (interval != 0) timer->SetInterval(interval);
  if (handler != nullptr) timer->SetOnTimer([this, handler] { (this->*handler)(); });
  return timer;
}

void TForm1::FormCreate() {
  const int displayRate = parts_.application.RefreshRate();
  state_.RefreshRate = RefreshClassOf(displayRate);
  // Displays outside 60..120 Hz (Xvfb reports 0, many monitors 144) would leave the road
  // standing still; they run in the 60 Hz class instead.
  if (state_.RefreshRate == 0) state_.RefreshRate = 60;
  Timer_->SetSpeed(state_.RefreshRate);
  Timer_->SetPaceRate(displayRate >= kLowestDisplayRate ? displayRate : kUnknownDisplayRate);
  PxDb1_->SetFileName(parts_.archivePath);
  // The first frame's loaders find the archive read and checked while the launcher waits;
  // damage found then is told at once, where a packager sees it, and by the dialog at the load.
  PxDb1_->Prefetch(
      [](const std::string& damage) { std::fprintf(stderr, "tarvex: %s\n", damage.c_str()); });
}

void TForm1::Button1Click() {
  parts_.application.EnterGameSurface();
  // The message stays in Portuguese on purpose: players and their reports know it so.
  if (!Device_->Initialize()) parts_.application.ShowMessage("Erro ao inicializar o Device");
  state_.LastTick = parts_.clock.GetTickCount();
  state_.Ranking.clear();
  parts_.application.HideCursor();
  state_.PlayerAlpha = 255;
}

void TForm1::DeviceInitialize(bool& success) {
  state_.NeedLoad = true;
  Timer_->SetEnabled(success);
}

void TForm1::TimerTimer() {
  Device_->Render(0, true);
  Timer_->Process();
  Device_->PresentFrame();
}

void TForm1::TimerProcess() {
  if (!state_.InGame || !state_.LevelRunning) return;
  PlayFieldTick();
}

void TForm1::ApplicationEvents1Deactivate() {
  if (!state_.DeviceReady) return;
  // Left running, a level went on unseen and unsteerable until the damage bar filled; with
  // the setting off it still does.
  if (parts_.display.pauseOnFocusLoss) PauseForFocusLoss();
  // A window stays in sight beside the one that took the focus; only full screen gives way.
  if (!parts_.application.FullScreen()) return;
  parts_.application.ShowWindow(false);
  parts_.application.Minimize();
}

// The pause ENTER gives, without its beep: nobody is there to hear it. Only a running level
// pauses; the title, the intro and the game-over screens go on as before.
void TForm1::PauseForFocusLoss() {
  const TGameState& s = state_;
  if (s.InGame && s.LevelRunning && !s.Paused && !s.GameOver) PauseLevel();
}

void TForm1::ApplicationEvents1Restore() { parts_.application.ShowWindow(true); }

bool TForm1::MayRest(bool hidden) const {
  const TGameState& s = state_;
  if (!s.DeviceReady || exitCode_ != 0) return false;
  if (s.InGame && s.LevelRunning && s.Paused && !s.GameOver) {
    return PausedFrameChangesNothing() && (hidden || PlayFieldStill());
  }
  return hidden && (!s.InGame || s.GameOver);
}

void TForm1::FormDestroy() {
  Device_->Finalize();
  Engine_.reset();
}

void TForm1::GiveUp(const std::string& message) {
  Timer_->SetEnabled(false);
  // Said where a packager or a bug report sees it too, not only in the dialog.
  std::fprintf(stderr, "tarvex: %s\n", message.c_str());
  parts_.application.ShowMessage(message);
  exitCode_ = 1;
  parts_.application.Terminate();
}

}  // namespace tvx
