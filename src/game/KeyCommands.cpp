// Menu and state keys from the window's key-down events: ENTER, ESC, CTRL, letters and
// space. Each event is one command, so auto-repeat repeats commands and letters. Keys only
// change flags and play short sounds; the next frame acts on the flags.
#include "game/Form1.h"
#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "sound/SoundSystem.h"

namespace tvx {

namespace {
constexpr std::size_t kNameLength = 6;
const std::string kNamePadding(6, ' ');
}  // namespace

void TForm1::FormKeyDown(std::uint16_t key) {
  TGameState& s = state_;
  if (key == vk::Return) {
    // One to five letters and ENTER: the padding completes the name (longer than five). A
    // second ENTER before the next frame finds it padded already and must not pad it again.
    if (!s.NameEntered && s.GameOver && !s.PlayerName.empty() &&
        s.PlayerName.size() <= kNameLength) {
      s.PlayerName += kNamePadding;
    }
    s.InGame = true;
    if (!s.GameOver) {
      SoundSystem1_->SetVolume(sound::DoubleBeep, sound::BeepVolume);
      if (s.LevelRunning) SoundSystem1_->Play(sound::DoubleBeep, false);
    }
    StopIfPlaying(*SoundSystem1_, sound::TitleMusic);
    if (s.LevelRunning) {
      if (s.Paused) {
        s.Paused = false;
        PlayIfSilent(*SoundSystem1_, sound::Engine, true);
        // The boost's roar was cut by the pause; it comes back while the boost lasts.
        if (s.JetActive) PlayIfSilent(*SoundSystem1_, sound::JetEngine, false);
      } else {
        PauseLevel();
      }
    }
    if (s.GameOver) s.RankingMode = true;
  } else if (key == vk::Escape) {
    if (!s.InGame && !s.GameOver) {
      parts_.application.Terminate();
      return;
    }
    s.ResetRequest = true;
    s.GameOver = false;
    s.RankingMode = false;
    SoundSystem1_->StopAll();
  } else if (key == vk::Control) {
    if (!s.InGame) {
      s.CarIndex = (s.CarIndex + 1) % 4;
      if (!s.GameOver) {
        SoundSystem1_->SetVolume(sound::Beep, sound::BeepVolume);
        SoundSystem1_->Play(sound::Beep, false);
      }
    }
    if (s.LevelRunning && !s.GameOver) {
      StopIfPlaying(*SoundSystem1_, sound::Beep);
      if (!s.Paused) SoundSystem1_->Play(sound::Beep, false);
    }
  } else if ((key >= vk::A && key <= vk::Z) || key == vk::Space) {
    if (s.RankingMode && s.PlayerName.size() < kNameLength) s.PlayerName += static_cast<char>(key);
  }
}

void TForm1::PauseLevel() {
  state_.Paused = true;
  StopIfPlaying(*SoundSystem1_, sound::JetEngine);
  StopIfPlaying(*SoundSystem1_, sound::Engine);
}

bool TForm1::WaitsForName() const {
  return state_.RankingMode && state_.PlayerName.size() < kNameLength;
}

}  // namespace tvx
