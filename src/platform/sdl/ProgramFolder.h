// Where the program lives: the archive and the ranking file sit beside the executable,
// wherever the program is started from.
#pragma once

#include <string>

namespace tvx {

// The folder of the executable with its trailing separator; "./" when it cannot be told.
std::string ProgramFolder();

}  // namespace tvx
