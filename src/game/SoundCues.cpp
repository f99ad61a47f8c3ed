// The music and effect sounds started and stopped at the state machine's events.
#include "core/Random.h"
#include "game/Form1.h"
#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "sound/SoundSystem.h"

namespace tvx {

void TForm1::TitleMusicCue() { PlayIfSilent(*SoundSystem1_, sound::TitleMusic, true); }

void TForm1::IntroSoundCue() { PlayIfSilent(*SoundSystem1_, sound::IntroSting, false); }

void TForm1::StopLevelMusic() {
  for (int slot = 0; slot < sound::MusicSlots; ++slot) {
    if (SoundSystem1_->IsPlayingIndex(slot)) SoundSystem1_->StopIndex(slot);
  }
}

void TForm1::LevelMusicCue() {
  StopIfPlaying(*SoundSystem1_, sound::IntroSting);
  StopLevelMusic();
  state_.MusicIndex = Random(sound::ChosenMusicSlots);
  SoundSystem1_->SetVolumeIndex(state_.MusicIndex, sound::LevelMusicVolume);
  SoundSystem1_->PlayIndex(state_.MusicIndex, true);
}

void TForm1::GameOverMusicCue() { PlayIfSilent(*SoundSystem1_, sound::GameOverMusic, true); }

void TForm1::RankingMusicCue() {
  StopIfPlaying(*SoundSystem1_, sound::GameOverMusic);
  PlayIfSilent(*SoundSystem1_, sound::RankingMusic, true);
}

}  // namespace tvx
