#include "platform/sdl/SdlClock.h"

#include <SDL.h>

namespace tvx {

bool SdlClock::QueryPerformanceFrequency(std::int64_t& frequency) {
  frequency = static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
  return frequency > 0;
}

std::int64_t SdlClock::QueryPerformanceCounter() {
  return static_cast<std::int64_t>(SDL_GetPerformanceCounter());
}

std::uint32_t SdlClock::GetTickCount() { return static_cast<std::uint32_t>(SDL_GetTicks64()); }

void SdlClock::Sleep(std::uint32_t milliseconds) { SDL_Delay(milliseconds); }

}  // namespace tvx
