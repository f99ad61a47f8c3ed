// The program's command line. Each option is one row of a table (name, argument, help text,
// and what it sets), so adding an option is adding a row; the usage text is made from the
// same table, so --help always lists every option.
#pragma once

#include <optional>
#include <string>

#include "platform/DisplayOptions.h"

namespace tvx {

// What the command line asks of this run; anything left unset keeps its default.
struct LaunchOptions {
  std::optional<std::string> dataFolder;  // --data DIR: the only place the archive is looked for
  std::optional<bool> fullscreen;         // --fullscreen, --windowed
  std::optional<ScaleMode> scale;         // --scale fit|integer
  bool mute = false;                      // --mute: no sound this run, the setting unchanged
  std::optional<std::string> recordFile;  // --record FILE: the replay this game is written to
  bool force = false;                     // --force: --record may replace an existing file
  std::optional<std::string> replayFile;  // --replay FILE: the replay shown instead of a game
};

enum class CommandLineAction { Play, ShowHelp, ShowVersion, Fail };

struct CommandLineResult {
  CommandLineAction action = CommandLineAction::Play;
  LaunchOptions options;
  std::string error;  // set with Fail: what was wrong, for stderr before the usage
};

CommandLineResult ParseCommandLine(int argc, const char* const* argv);

// "usage: tarvex [options]" and one line per option.
std::string UsageText();

// The program's version, from the project's one declaration of it.
const char* ProgramVersion();

}  // namespace tvx
