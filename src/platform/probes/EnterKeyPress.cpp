#include "platform/probes/EnterKeyPress.h"

#include <SDL.h>

namespace tvx::probes {

void QueueEnterKeyPress() {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = 0;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = SDLK_RETURN;
  SDL_PushEvent(&event);
}

}  // namespace tvx::probes
