// Which of the game's sounds are music for the player's music volume; every other sound is
// an effect. Music: the level music slots and the title, intro, game-over and ranking tunes.
#pragma once

#include <string>

namespace tvx {

bool IsMusicSound(int index, const std::string& name);

}  // namespace tvx
