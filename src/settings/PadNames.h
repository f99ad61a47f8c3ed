// Pad button names for the pad bindings of the settings file ("A", "Start", "LB",
// "DPad Up"...), matched without regard to letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/input/BoundKeys.h"
#include "settings/Settings.h"

namespace tvx {

std::optional<PadButton> FindPadName(std::string_view name);
std::string_view PadButtonName(PadButton button);
// The table's spelling of a known name ("dpad up" -> "DPad Up"); empty when unknown.
std::string CanonicalPadName(std::string_view name);

// The buttons of the settings' pad bindings (names the settings file accepted).
PadBindings PadBindingsOf(const Settings& settings);

}  // namespace tvx
