// A clock for tests: time stands still until a test advances it or code sleeps on it.
// The high-resolution counter counts microseconds (frequency 1,000,000) and the millisecond
// tick count is derived from the same time, so both readings always agree. An optional cost
// per reading lets a loop that spins on the clock still see time pass.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Clock.h"

namespace tvx {

class VirtualClock : public IClock {
 public:
  static constexpr std::int64_t kFrequency = 1000000;

  explicit VirtualClock(std::uint32_t startMilliseconds = 0);

  bool QueryPerformanceFrequency(std::int64_t& frequency) override;
  std::int64_t QueryPerformanceCounter() override;
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;

  void Advance(std::uint32_t milliseconds);
  // May be negative, to model a counter that goes backwards.
  void AdvanceMicroseconds(std::int64_t microseconds);
  // Every counter or tick-count reading advances the clock by this much first.
  void SetReadingCost(std::int64_t microseconds) { readingCostUs_ = microseconds; }
  // Without a high-resolution counter the frequency query fails.
  void SetHighResolutionCounter(bool available) { highResolution_ = available; }

  std::int64_t NowMicroseconds() const { return nowUs_; }
  const std::vector<std::uint32_t>& Sleeps() const { return sleeps_; }
  void ClearSleeps() { sleeps_.clear(); }

 private:
  void PayReading() { nowUs_ += readingCostUs_; }

  std::int64_t nowUs_;
  std::int64_t readingCostUs_ = 0;
  bool highResolution_ = true;
  std::vector<std::uint32_t> sleeps_;
};

}  // namespace tvx
