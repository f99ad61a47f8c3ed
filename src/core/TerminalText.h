// Text from outside shown on a terminal: messages quote lines of files the user gave.
#pragma once

#include <string>
#include <string_view>

namespace tvx {

// Control characters and bytes outside printable ASCII as \n, \t, \xHH, so that text from a
// file is shown on a terminal as it is and never acts on it.
std::string EscapedForTerminal(std::string_view text);

}  // namespace tvx
