// The pad inputs the game is driven by, named after SDL's GameController layout (A is the
// bottom face button) without depending on SDL. The left stick counts as the d-pad.
#pragma once

#include <cstddef>

namespace tvx {

enum class PadButton {
  A,
  B,
  X,
  Y,
  Back,
  Start,
  Up,
  Down,
  Left,
  Right,
  LeftShoulder,
  RightShoulder,
  LeftStick,
  RightStick
};
constexpr std::size_t kPadButtons = 14;

// The four directions, in the order of the game's steering slots.
struct PadDirections {
  bool up = false;
  bool down = false;
  bool left = false;
  bool right = false;
};

}  // namespace tvx
