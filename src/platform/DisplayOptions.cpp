#include "platform/DisplayOptions.h"

namespace tvx {

std::optional<ScaleMode> ScaleModeFromName(std::string_view name) {
  if (name == "fit") return ScaleMode::Fit;
  if (name == "integer") return ScaleMode::Integer;
  return std::nullopt;
}

std::string_view ScaleModeName(ScaleMode mode) {
  return mode == ScaleMode::Integer ? "integer" : "fit";
}

}  // namespace tvx
