#include "platform/doubles/VirtualClock.h"

namespace tvx {

VirtualClock::VirtualClock(std::uint32_t startMilliseconds)
    : nowUs_(static_cast<std::int64_t>(startMilliseconds) * 1000) {}

bool VirtualClock::QueryPerformanceFrequency(std::int64_t& frequency) {
  if (!highResolution_) return false;
  frequency = kFrequency;
  return true;
}

std::int64_t VirtualClock::QueryPerformanceCounter() {
  PayReading();
  return nowUs_;
}

std::uint32_t VirtualClock::GetTickCount() {
  PayReading();
  // Floor division keeps the tick count consistent with the counter for negative times too.
  std::int64_t ms = nowUs_ / 1000;
  if (nowUs_ % 1000 < 0) --ms;
  return static_cast<std::uint32_t>(ms);
}

void VirtualClock::Sleep(std::uint32_t milliseconds) {
  sleeps_.push_back(milliseconds);
  nowUs_ += static_cast<std::int64_t>(milliseconds) * 1000;
}

void VirtualClock::Advance(std::uint32_t milliseconds) {
  nowUs_ += static_cast<std::int64_t>(milliseconds) * 1000;
}

void VirtualClock::AdvanceMicroseconds(std::int64_t microseconds) { nowUs_ += microseconds; }

}  // namespace tvx
