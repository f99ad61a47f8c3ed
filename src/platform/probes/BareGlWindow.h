// The floor the start-up benchmark measures the game against: a window with an OpenGL
// context that clears and presents once, as cheap as a GL program on this driver can be.
#pragma once

#include <functional>
#include <string>

namespace tvx::probes {

// Shows the bare 640 x 480 window, runs `whileShown` with it on screen, then closes it.
// False and `error` when SDL cannot make the window or its context.
bool WithBareGlWindow(const std::function<void()>& whileShown, std::string& error);

}  // namespace tvx::probes
