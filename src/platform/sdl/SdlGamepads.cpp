#include "platform/sdl/SdlGamepads.h"

#include <algorithm>

namespace tvx {

namespace {

std::optional<PadButton> ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return PadButton::A;
    case SDL_CONTROLLER_BUTTON_B:
      return PadButton::B;
    case SDL_CONTROLLER_BUTTON_X:
      return PadButton::X;
    case SDL_CONTROLLER_BUTTON_Y:
      return PadButton::Y;
    case SDL_CONTROLLER_BUTTON_BACK:
      return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_START:
      return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PadButton::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PadButton::Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PadButton::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PadButton::Right;
    default:
      return std::nullopt;
  }
}

bool Pressed(SDL_GameController* pad, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(pad, button) != 0;
}

}  // namespace

SdlGamepads::SdlGamepads() : subsystem_(std::make_unique<SdlSubsystem>(SDL_INIT_GAMECONTROLLER)) {
  // Pads already plugged in are announced as added events once the subsystem runs.
}

SdlGamepads::~SdlGamepads() {
  for (Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
}

std::optional<PadButton> SdlGamepads::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);
      return std::nullopt;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event.cdevice.which);
      return std::nullopt;
    case SDL_CONTROLLERBUTTONDOWN:
      return Find(event.cbutton.which) != nullptr ? ButtonOf(event.cbutton.button) : std::nullopt;
    case SDL_CONTROLLERAXISMOTION:
      return StickMoved(event.caxis);
    default:
      return std::nullopt;
  }
}

PadDirections SdlGamepads::HeldDirections() const {
  PadDirections held;
  for (const Pad& pad : pads_) {
    SDL_GameController* c = pad.controller;
    const Sint16 x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    const Sint16 y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    held.up = held.up || Pressed(c, SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kDeadZone;
    held.down = held.down || Pressed(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kDeadZone;
    held.left = held.left || Pressed(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kDeadZone;
    held.right = held.right || Pressed(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kDeadZone;
  }
  return held;
}

void SdlGamepads::Open(int deviceIndex) {
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  if (Find(id) != nullptr) {
    SDL_GameControllerClose(controller);  // announced twice; SDL counts the opens
    return;
  }
  pads_.push_back({controller, id, {}});
}

void SdlGamepads::Close(SDL_JoystickID id) {
  const auto gone =
      std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  if (gone == pads_.end()) return;
  SDL_GameControllerClose(gone->controller);
  pads_.erase(gone);
}

SdlGamepads::Pad* SdlGamepads::Find(SDL_JoystickID id) {
  for (Pad& pad : pads_) {
    if (pad.id == id) return &pad;
  }
  return nullptr;
}

std::optional<PadButton> SdlGamepads::StickMoved(const SDL_ControllerAxisEvent& event) {
  Pad* pad = Find(event.which);
  if (pad == nullptr) return std::nullopt;
  bool* low = nullptr;
  bool* high = nullptr;
  PadButton lowButton = PadButton::Up;
  PadButton highButton = PadButton::Down;
  if (event.axis == SDL_CONTROLLER_AXIS_LEFTY) {
    low = &pad->stick.up;
    high = &pad->stick.down;
  } else if (event.axis == SDL_CONTROLLER_AXIS_LEFTX) {
    low = &pad->stick.left;
    high = &pad->stick.right;
    lowButton = PadButton::Left;
    highButton = PadButton::Right;
  } else {
    return std::nullopt;
  }
  const bool wasLow = *low;
  const bool wasHigh = *high;
  *low = event.value < -kDeadZone;
  *high = event.value > kDeadZone;
  if (*low && !wasLow) return lowButton;
  if (*high && !wasHigh) return highButton;
  return std::nullopt;
}

}  // namespace tvx
