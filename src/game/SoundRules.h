// The two sound rules the whole game plays by: a sound already playing is neither restarted
// nor stacked, and only a playing sound is stopped.
#pragma once

#include <string>

namespace tvx {

class TSoundSystem;

void PlayIfSilent(TSoundSystem& sounds, const std::string& name, bool loop);
void StopIfPlaying(TSoundSystem& sounds, const std::string& name);

}  // namespace tvx
