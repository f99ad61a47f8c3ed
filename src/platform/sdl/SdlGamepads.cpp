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
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return PadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
      return PadButton::LeftStick;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
      return PadButton::RightStick;
    default:
      return std::nullopt;
  }
}

std::uint32_t Bit(PadButton button) { return 1u << static_cast<unsigned>(button); }

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

std::uint32_t SdlGamepads::HeldButtons() const {
  std::uint32_t held = 0;
  for (const Pad& pad : pads_) {
    SDL_GameController* c = pad.controller;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
      const std::optional<PadButton> known = ButtonOf(static_cast<Uint8>(button));
      if (known && SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(button)))
        held |= Bit(*known);
    }
    const Sint16 x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    const Sint16 y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    if (y < -kDeadZone) held |= Bit(PadButton::Up);
    if (y > kDeadZone) held |= Bit(PadButton::Down);
    if (x < -kDeadZone) held |= Bit(PadButton::Left);
    if (x > kDeadZone) held |= Bit(PadButton::Right);
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
