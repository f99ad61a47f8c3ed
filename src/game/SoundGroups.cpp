#include "game/SoundGroups.h"

#include "game/SoundNames.h"

namespace tvx {

bool IsMusicSound(int index, const std::string& name) {
  if (index >= 0 && index < sound::MusicSlots) return true;
  for (const std::string* music :
       {&sound::TitleMusic, &sound::IntroSting, &sound::GameOverMusic, &sound::RankingMusic}) {
    if (name == *music) return true;
  }
  return false;
}

}  // namespace tvx
