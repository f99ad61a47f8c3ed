#include "platform/sdl/SdlKeyboardDevice.h"

#include <SDL.h>

#include <cstring>
#include <limits>

#include "platform/sdl/SdlKeyCodes.h"

namespace tvx {

namespace {

SDL_Window* WindowFromHandle(std::uintptr_t handle) {
  if (handle == 0 || handle > std::numeric_limits<Uint32>::max()) return nullptr;
  return SDL_GetWindowFromID(static_cast<Uint32>(handle));
}

}  // namespace

std::int32_t SdlKeyboardDevice::CreateInputObject() {
  return rules_.CreateInputObject(SDL_WasInit(SDL_INIT_VIDEO) != 0);
}

std::int32_t SdlKeyboardDevice::SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags) {
  return rules_.SetCooperativeLevel(window, flags, WindowFromHandle(window) != nullptr);
}

std::int32_t SdlKeyboardDevice::GetDeviceState(std::uint32_t size, std::uint8_t* state) {
  const std::int32_t result = rules_.BeginRead(size, state, WindowFocused());
  if (result != input::Ok) return result;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  std::memset(state, 0, input::KeyboardDataSize);
  for (int scancode = 0; scancode < count; ++scancode) {
    if (keys[scancode] == 0) continue;
    const std::uint8_t keyCode = DirectInputKeyCode(scancode);
    if (keyCode != 0) state[keyCode] = 0x80;
  }
  if (extraSlots_) extraSlots_(state);
  return input::Ok;
}

bool SdlKeyboardDevice::WindowFocused() const {
  SDL_Window* window = WindowFromHandle(rules_.Window());
  return window != nullptr && SDL_GetKeyboardFocus() == window;
}

}  // namespace tvx
