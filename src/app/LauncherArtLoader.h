// The launcher's pictures made from the game's archive: the intro backdrop, the game's name in
// the title lettering with speed streaks, and the button, version and splash captions in the
// game's own fonts and text colours (white shading into orange).
#pragma once

#include <string>

#include "platform/LauncherArt.h"

namespace tvx {

// What could not be read is left empty and named in `problem`; the rest is there.
LauncherArt LoadLauncherArt(const std::string& archivePath, std::string& problem);

}  // namespace tvx
