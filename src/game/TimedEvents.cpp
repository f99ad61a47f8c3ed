// The window timers of a level: the level clock, the fire jet's and the dizzy stars' five
// seconds, and the player car's blink while the jet runs.
#include "game/Form1.h"
#include "game/LevelTable.h"
#include "game/SoundNames.h"
#include "sound/SoundSystem.h"

namespace tvx {

void TForm1::GameTimerTimer() {
  // The timer keeps running while paused; paused time simply does not count.
  if (state_.Paused) return;
  if (state_.Level >= 3 && state_.Level <= 20)
    GameTimer_->SetInterval(LevelClockInterval(state_.Level));
  if (!state_.TimeBar.empty()) state_.TimeBar.pop_back();
  state_.Score += 10;
  if (state_.TimeBar.empty()) {
    state_.LevelDone = true;
    GameTimer_->SetEnabled(false);
  }
}

void TForm1::timerfirejetTimer() {
  state_.JetOver = true;
  state_.JetActive = false;
  SoundSystem1_->Stop(sound::JetEngine);
  timeralpha_->SetEnabled(false);
  state_.PlayerAlpha = 255;
  timerfirejet_->SetEnabled(false);
}

void TForm1::timerstarsTimer() {
  state_.StarsOver = true;
  state_.StarsActive = false;
  timerstars_->SetEnabled(false);
}

void TForm1::timeralphaTimer() {
  if (state_.PlayerAlpha == 255) state_.PlayerAlpha = 150;
  state_.PlayerAlpha = state_.PlayerAlpha == 150 ? 75 : 150;
}

}  // namespace tvx
