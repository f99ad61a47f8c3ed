#include "settings/PadNames.h"

#include <array>

#include "settings/KeyNames.h"

namespace tvx {

namespace {

// In the order of PadButton.
constexpr std::array<std::string_view, kPadButtons> kNames{
    "A",         "B",         "X",          "Y",  "Back", "Start", "DPad Up",
    "DPad Down", "DPad Left", "DPad Right", "LB", "RB",   "LS",    "RS"};

}  // namespace

std::optional<PadButton> FindPadName(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (SameKeyName(kNames[i], name)) return static_cast<PadButton>(i);
  }
  return std::nullopt;
}

std::string_view PadButtonName(PadButton button) {
  const auto index = static_cast<std::size_t>(button);
  return index < kNames.size() ? kNames[index] : std::string_view();
}

std::string CanonicalPadName(std::string_view name) {
  const std::optional<PadButton> button = FindPadName(name);
  return button ? std::string(PadButtonName(*button)) : std::string();
}

PadBindings PadBindingsOf(const Settings& settings) {
  PadBindings pads{};
  for (std::size_t input = 0; input < kBoundInputs; ++input) {
    for (const std::string& name : settings.padButtons[input]) {
      if (const std::optional<PadButton> button = FindPadName(name)) pads[input] |= PadBit(*button);
    }
  }
  return pads;
}

}  // namespace tvx
