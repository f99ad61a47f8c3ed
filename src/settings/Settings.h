// The player's remembered settings: display, sound, extra key bindings and pad bindings. Plain
// values with the defaults of a first run (today's behaviour: full screen, fit scaling, smooth
// motion, full volume, only the original keys, the pad as it always was); SettingsText reads
// and writes them as INI, SettingsFile keeps them in $XDG_CONFIG_HOME/tarvex/settings.ini. Nothing
// here knows SDL or the game.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/DisplayOptions.h"
#include "platform/input/BoundKeys.h"

namespace tvx {

// The inputs' pad buttons are all a pad has for the input (the left stick counts as the
// d-pad); by name, per BoundInput.
using Bindings = std::array<std::vector<std::string>, kBoundInputs>;

// The pad as it has always been: d-pad steers, A and Start are ENTER, B and Back ESC, X and Y
// CTRL.
inline Bindings DefaultPadButtons() {
  return {{{"DPad Up"},
           {"DPad Down"},
           {"DPad Left"},
           {"DPad Right"},
           {"A", "Start"},
           {"B", "Back"},
           {"X", "Y"}}};
}

struct Settings {
  bool fullscreen = true;
  ScaleMode scale = ScaleMode::Fit;
  bool pauseOnFocusLoss = true;  // false: the original behaviour, the run goes on unseen
  bool smoothMotion = true;      // false: the original's one picture per logic tick
  int masterVolume = 100;        // 0..100 each
  int musicVolume = 100;
  int effectsVolume = 100;
  bool mute = false;
  // Key names (see KeyNames.h) per BoundInput, in the order the player wrote them.
  Bindings extraKeys;
  // Pad button names (see PadNames.h) per BoundInput; never empty.
  Bindings padButtons = DefaultPadButtons();

  bool operator==(const Settings&) const = default;
};

constexpr int kMaxVolume = 100;
// More extra keys or buttons per input than anyone binds; bounds what a damaged file can make
// us keep.
constexpr std::size_t kMaxExtraKeys = 8;

}  // namespace tvx
