// Translations from SDL's key identities to the codes the game reads: Windows virtual-key
// codes for key-down events (from the layout's key code, as virtual keys follow the layout)
// and DirectInput key codes for the keyboard state (from the physical scancode, as
// DirectInput's codes name positions). 0 means the key has no code.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace tvx {

std::uint16_t VirtualKeyFromKeycode(SDL_Keycode keycode);
// `scancode` is an SDL_Scancode value or an index into SDL's keyboard state.
std::uint8_t DirectInputKeyCode(int scancode);

}  // namespace tvx
