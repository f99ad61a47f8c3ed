// The time sources the game timer and the game read: a high-resolution counter with its
// frequency, a millisecond tick count, and a sleep. The real clock is SDL's; the test
// double is a virtual clock that advances only when slept on or told to.
#pragma once

#include <cstdint>

namespace tvx {

class IClock {
 public:
  virtual ~IClock() = default;
  // False when no high-resolution counter exists.
  virtual bool QueryPerformanceFrequency(std::int64_t& frequency) = 0;
  virtual std::int64_t QueryPerformanceCounter() = 0;
  // Milliseconds since an arbitrary start; wraps at 2^32.
  virtual std::uint32_t GetTickCount() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace tvx
