#include "platform/probes/KeyPress.h"

#include <SDL.h>

#include "platform/Application.h"

namespace tvx::probes {
namespace {

SDL_Keycode KeycodeOf(std::uint16_t virtualKey) {
  if (virtualKey >= vk::A && virtualKey <= vk::Z) return SDLK_a + (virtualKey - vk::A);
  switch (virtualKey) {
    case vk::Return:
      return SDLK_RETURN;
    case vk::Escape:
      return SDLK_ESCAPE;
    case vk::Control:
      return SDLK_LCTRL;
    case vk::Space:
      return SDLK_SPACE;
    default:
      return SDLK_UNKNOWN;
  }
}

}  // namespace

void QueueKeyPress(std::uint16_t virtualKey) {
  const SDL_Keycode key = KeycodeOf(virtualKey);
  if (key == SDLK_UNKNOWN) return;
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = 0;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  SDL_PushEvent(&event);
}

}  // namespace tvx::probes
