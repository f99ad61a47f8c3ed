// The game on the real platform parts as the command line asks: played; played while a
// replay of it is written (--record); or a recorded game shown instead (--replay).
#pragma once

#include <functional>

#include "app/CommandLine.h"
#include "platform/PlatformParts.h"

namespace tvx {

class TForm1;

// What the program connects around the form once it exists, and takes away before it goes.
struct FormHooks {
  std::function<void(TForm1&)> created;
  std::function<void()> closing;
};

// The program's exit code: 0, 1 when the game or the replay could not run (a replay that is
// refused, or breaks off before its end line), 3 when a replay no longer matches the program.
int RunGame(const PlatformParts& parts, const LaunchOptions& options, const FormHooks& hooks);

}  // namespace tvx
