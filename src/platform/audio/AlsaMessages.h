// alsa-lib's own messages on stderr, which only repeat in its words what the game says in one
// line: without a sound card, eight lines of configuration fallbacks at every start.
#pragma once

namespace tvx::audio_detail {

// Quiets them for the rest of the run, before SDL opens its ALSA driver. Does nothing where
// alsa-lib is not installed.
void QuietAlsaMessages();

}  // namespace tvx::audio_detail
