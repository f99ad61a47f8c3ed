// What a leak checker run at exit (AddressSanitizer's, valgrind's) needs from the program to
// tell its leaks from the system libraries' own.
#pragma once

namespace tvx {

// Called once the program is done with its window and sound, before they are torn down: every
// library loaded by then stays loaded until the process ends. Unloaded, a driver's globals
// vanish and what they still point at is reported lost, inside a library no longer named.
void KeepLibrariesLoaded();

}  // namespace tvx
