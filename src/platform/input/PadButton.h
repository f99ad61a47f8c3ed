// The pad inputs the game is driven by, named after SDL's GameController layout (A is the
// bottom face button) without depending on SDL.
#pragma once

namespace tvx {

enum class PadButton { A, B, X, Y, Back, Start, Up, Down, Left, Right };

// Steering directions held, in the order of the game's steering slots.
struct PadDirections {
  bool up = false;
  bool down = false;
  bool left = false;
  bool right = false;
};

}  // namespace tvx
