#include "game/SoundRules.h"

#include "sound/SoundSystem.h"

namespace tvx {

void PlayIfSilent(TSoundSystem& sounds, const std::string& name, bool loop) {
  if (!sounds.IsPlaying(name)) sounds.Play(name, loop);
}

void StopIfPlaying(TSoundSystem& sounds, const std::string& name) {
  if (sounds.IsPlaying(name)) sounds.Stop(name);
}

}  // namespace tvx
