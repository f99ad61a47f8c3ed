// One frame of the state machine, and the state changes it applies: loading on the first
// frame, the running level, pending returns and level ends, then the screen the flags
// select, first match wins: ranking, game over, title, level intro, playing.
#include "archive/PxDb.h"
#include "core/Random.h"
#include "game/Form1.h"
#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "game/SpriteFX.h"
#include "render/PxFonts.h"
#include "render/PxImages.h"
#include "sound/SoundSystem.h"
#include "sprites/SpriteEngine.h"

namespace tvx {

namespace {
constexpr std::size_t kDamageLimit = 31;
constexpr int kLastLevel = 20;
constexpr std::uint32_t kIntroTickMs = 150;
constexpr int kIntroTicks = 10;
constexpr int kWinTicks = 25;
constexpr int kFontsNeeded = 5;
constexpr std::uint32_t kFirstClockInterval = 1000;
}  // namespace

void TForm1::DeviceRender() {
  if (state_.NeedLoad && !LoadResources()) return;
  if (state_.InGame && state_.LevelRunning) RunningLevelStep();
  if (state_.Paused) DrawPauseText();
  if (state_.ResetRequest) ReturnToTitle();
  if (state_.LevelDone) EndLevel();
  if (state_.DamageBar.size() >= kDamageLimit) state_.GameOver = true;

  if (state_.GameOver && state_.RankingMode) {
    DrawRankingScreen();
    RankingMusicCue();
    RankingStep();
  } else if (state_.GameOver) {
    GameOverStep();
  } else if (!state_.InGame) {
    DrawTitleScreen();
    TitleMusicCue();
  } else if (!state_.IntroDone) {
    IntroStep();
  } else {
    if (!state_.LevelRunning) SetUpLevel();
    DrawHud();
  }
  if (OnScreenDrawn) OnScreenDrawn();
  DrawNotice();  // over whatever the screen shows
}

bool TForm1::ShowsTitle() const { return state_.DeviceReady && !state_.InGame && !state_.GameOver; }

// What a paused level's frame still does: the state changes DeviceRender applies, the score
// it copies and the effects it spawns.
bool TForm1::PausedFrameChangesNothing() const {
  const TGameState& s = state_;
  return !s.ResetRequest && !s.LevelDone && s.FinalScore == s.Score &&
         !(s.JetRequest && !s.JetActive) && !(s.StarsRequest && !s.StarsActive) &&
         !(!s.SmokeShown && s.DamageBar.size() >= kSmokeDamage) &&
         s.DamageBar.size() < kDamageLimit;
}

bool TForm1::LoadResources() {
  // Without fonts and pictures every screen would stay black with no word of why, so the
  // game names the archive and stops instead.
  const std::string archive = PxDb1_->FileName();
  const auto stepDone = [this](const char* step) {
    if (OnLoadStep) OnLoadStep(step);
  };
  if (!Fonts_->LoadFromPxDb(*PxDb1_) || Fonts_->Count() < kFontsNeeded) {
    GiveUp("Cannot start Tarvex: the fonts could not be loaded from " + archive + " (" +
           std::to_string(Fonts_->Count()) + " of " + std::to_string(kFontsNeeded) +
           " fonts). The archive is missing or damaged.");
    return false;
  }
  stepDone("fonts");
  if (!Images_->LoadFromPxDb(*PxDb1_) || Images_->Count() == 0) {
    GiveUp("Cannot start Tarvex: the pictures could not be loaded from " + archive + " (" +
           std::to_string(Images_->Count()) + " loaded). The archive is missing or damaged.");
    return false;
  }
  stepDone("images");
  SoundSystem1_->LoadFromPxDb(*PxDb1_);
  stepDone("sounds");
  Engine_ = std::make_unique<TSpriteEngine>();
  stepDone("engine");
  PxDb1_->DropPrefetch();
  state_.TitleCarX = Random(300) + 105;
  state_.TitleCarY = -100;
  state_.NeedLoad = false;
  state_.DeviceReady = true;
  return true;
}

void TForm1::IntroStep() {
  IntroSoundCue();
  DrawIntroScreen();
  if (state_.Level <= 0) state_.Level = 1;
  state_.NowTick = parts_.clock.GetTickCount();
  if (state_.NowTick - state_.LastTick >= kIntroTickMs) {
    state_.LastTick = state_.NowTick;
    // Level 12 reads "LEVEL 012": the zero is part of the caption, not padding.
    state_.LevelCaption =
        state_.Level > kLastLevel ? "YOU WIN!" : "LEVEL 0" + std::to_string(state_.Level);
    ++state_.IntroTicks;
  }
  if (state_.Level <= kLastLevel && state_.IntroTicks >= kIntroTicks) {
    state_.IntroDone = true;
    state_.IntroTicks = 0;
  }
  if (state_.Level > kLastLevel && state_.IntroTicks >= kWinTicks) {
    state_.IntroTicks = 0;
    state_.GameOver = true;
  }
}

void TForm1::GameOverStep() {
  state_.ResetRequest = true;
  state_.RankInserted = false;
  state_.NameEntered = false;
  DrawGameOverScreen();
  GameOverMusicCue();
  state_.TitleCarImage = Random(4);
}

void TForm1::SetUpLevel() {
  DrawSetUpFrame();
  ConnectPlayField();
  state_.PlayerName.clear();
  CreatePlayerAndRoad();
  FillLevelPictures();
  Timer1_->SetEnabled(true);
  state_.LevelRunning = true;
  GameTimer_->SetInterval(kFirstClockInterval);
  GameTimer_->SetEnabled(true);
  state_.TimeBar.assign(30, '|');
  LevelMusicCue();
}

void TForm1::ReturnToTitle() {
  Timer1_->SetEnabled(false);
  GameTimer_->SetEnabled(false);
  ClearPlayField();
  state_.InGame = false;
  state_.LevelRunning = false;
  state_.DamageBar.clear();
  state_.Level = 1;
  state_.Score = 0;
  state_.Paused = false;
  state_.IntroDone = false;
  ResetEffects();
  state_.ResetRequest = false;
}

void TForm1::EndLevel() {
  Timer1_->SetEnabled(false);
  GameTimer_->SetEnabled(false);
  ClearPlayField();
  state_.IntroDone = false;
  state_.LevelRunning = false;
  ++state_.Level;
  ResetEffects();
  state_.LevelDone = false;
}

void TForm1::ResetEffects() {
  state_.PlayerAlpha = 255;
  timeralpha_->SetEnabled(false);
  state_.JetActive = false;
  state_.JetRequest = false;
  state_.JetOver = false;
  state_.SmokeShown = false;
  timerfirejet_->SetEnabled(false);
  SoundSystem1_->Stop(sound::JetEngine);
  state_.StarsActive = false;
  state_.StarsRequest = false;
  state_.StarsOver = false;
  timerstars_->SetEnabled(false);
  SoundSystem1_->Stop(sound::HotIdle);
  StopLevelMusic();
  StopIfPlaying(*SoundSystem1_, sound::Engine);
}

}  // namespace tvx
