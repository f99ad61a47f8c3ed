// The game's inputs that can be given extra keys and pad buttons, and what is bound to them:
// each key by the two codes the game reads it by, its DirectInput slot in the keyboard state
// and its Windows virtual-key code in key-down events; pad buttons as one bit per PadButton.
// The settings name the keys and buttons; the router acts on them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/input/PadButton.h"

namespace tvx {

// The four steering slots and the three command keys. The extra keys add to the original
// ones, which always work.
enum class BoundInput { Up, Down, Left, Right, Enter, Escape, Control };
constexpr std::size_t kBoundInputs = 7;

struct KeyCodes {
  std::uint8_t slot;         // DirectInput key code
  std::uint16_t virtualKey;  // Windows virtual-key code
};

using BoundKeys = std::array<std::vector<KeyCodes>, kBoundInputs>;

using PadBindings = std::array<std::uint32_t, kBoundInputs>;
constexpr std::uint32_t PadBit(PadButton button) { return 1u << static_cast<unsigned>(button); }

}  // namespace tvx
