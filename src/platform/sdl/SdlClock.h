// The real clock: SDL's performance counter and frequency, its millisecond ticks (cut to
// 32 bits, so they wrap like the tick count the game was written for) and SDL_Delay.
#pragma once

#include "platform/Clock.h"

namespace tvx {

class SdlClock : public IClock {
 public:
  bool QueryPerformanceFrequency(std::int64_t& frequency) override;
  std::int64_t QueryPerformanceCounter() override;
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace tvx
