// The game on the real platform parts as the command line asks: played; played while a
// replay of it is written (--record); or a recorded game shown instead (--replay).
#pragma once

#include "app/CommandLine.h"
#include "platform/platform_parts.h"

namespace tvx {

// The program's exit code: 0, 1 when the game or the replay could not run, 3 when a replay
// no longer matches the program.
int RunGame(const PlatformParts& parts, const LaunchOptions& options);

}  // namespace tvx
