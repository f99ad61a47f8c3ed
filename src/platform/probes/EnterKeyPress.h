// A press of ENTER as if the player made it, queued for the application's next message-loop
// pass: how the start-up benchmark presses "Start Game" and starts a level.
#pragma once

namespace tvx::probes {

void QueueEnterKeyPress();

}  // namespace tvx::probes
