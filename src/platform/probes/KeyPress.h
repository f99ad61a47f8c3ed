// A key press as if the player made it, queued for the application's next message-loop pass:
// how the benchmarks press "Start Game", start a level, type a name and go back to the title.
#pragma once

#include <cstdint>

namespace tvx::probes {

// `virtualKey` is one the game's window delivers (vk::Return, vk::Escape, vk::Control, A-Z,
// space); any other is ignored.
void QueueKeyPress(std::uint16_t virtualKey);

}  // namespace tvx::probes
