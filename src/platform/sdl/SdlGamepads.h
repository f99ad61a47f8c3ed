// Gamepads through SDL's GameController API, any number, hot-plugged: a controller is opened
// when SDL announces it and closed when it goes. Handle() turns controller events into pad
// presses (face buttons, Back, Start, shoulders, stick clicks, d-pad, and the left stick
// crossing its dead zone as the d-pad, so that a flick of the stick is one press);
// HeldButtons() reads what every open pad holds now (the stick past the dead zone as the
// d-pad), for the per-tick keyboard state.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/input/PadButton.h"
#include "platform/sdl/SdlHandles.h"

namespace tvx {

class SdlGamepads {
 public:
  // About a quarter of the stick's travel: worn sticks rest well inside it.
  static constexpr Sint16 kDeadZone = 8000;

  SdlGamepads();
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // Keeps the list of pads current; a press, when the event is one.
  std::optional<PadButton> Handle(const SDL_Event& event);
  // One bit per PadButton.
  std::uint32_t HeldButtons() const;
  int Count() const { return static_cast<int>(pads_.size()); }

 private:
  struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    PadDirections stick;  // the left stick's directions past the dead zone, for edges
  };

  void Open(int deviceIndex);
  void Close(SDL_JoystickID id);
  Pad* Find(SDL_JoystickID id);
  std::optional<PadButton> StickMoved(const SDL_ControllerAxisEvent& event);

  std::unique_ptr<SdlSubsystem> subsystem_;
  std::vector<Pad> pads_;
};

}  // namespace tvx
