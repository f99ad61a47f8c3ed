// The player's display and focus choices, as plain values: full screen or a window, how the
// 640 x 480 picture is scaled, whether losing the focus pauses a running level, and whether
// motion is drawn between ticks. They come from the command line (and may come from a settings
// file); the platform reports a change made at run time (Alt+Enter, F11) so that it can be
// remembered.
#pragma once

#include <optional>
#include <string_view>

namespace tvx {

// How the picture is fitted to the window or screen, always keeping its shape with black bars.
enum class ScaleMode {
  Fit,      // the largest size that fits, linear filtering
  Integer,  // the largest whole multiple that fits, nearest filtering: pixel-exact
};

struct DisplayOptions {
  bool fullscreen = true;
  ScaleMode scale = ScaleMode::Fit;
  bool pauseOnFocusLoss = true;
  // Each frame draws the moving play field where it is between the last two logic ticks;
  // false: the original's one picture per tick.
  bool smoothMotion = true;
};

// "fit" and "integer", as the command line and settings spell them; nothing for any other word.
std::optional<ScaleMode> ScaleModeFromName(std::string_view name);
std::string_view ScaleModeName(ScaleMode mode);

}  // namespace tvx
