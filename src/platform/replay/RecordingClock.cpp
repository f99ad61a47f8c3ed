#include "platform/replay/RecordingClock.h"

namespace tvx::replay {

bool RecordingClock::QueryPerformanceFrequency(std::int64_t& frequency) {
  std::int64_t value = 0;
  const bool result = inner_.QueryPerformanceFrequency(value);
  writer_.Write(MakeEntry(Kind::Frequency, result ? 1 : 0, result ? value : 0));
  if (result) frequency = value;
  return result;
}

std::int64_t RecordingClock::QueryPerformanceCounter() {
  const std::int64_t now = inner_.QueryPerformanceCounter();
  // Unsigned, so that a counter that jumps by more than half its range cannot overflow.
  const auto delta = static_cast<std::int64_t>(static_cast<std::uint64_t>(now) -
                                               static_cast<std::uint64_t>(lastCounter_));
  lastCounter_ = now;
  writer_.Write(MakeEntry(Kind::Counter, delta));
  return now;
}

std::uint32_t RecordingClock::GetTickCount() {
  const std::uint32_t now = inner_.GetTickCount();
  writer_.Write(MakeEntry(Kind::Ticks, static_cast<std::uint32_t>(now - lastTicks_)));
  lastTicks_ = now;
  return now;
}

void RecordingClock::Sleep(std::uint32_t milliseconds) {
  writer_.Write(MakeEntry(Kind::Sleep, milliseconds));
  inner_.Sleep(milliseconds);
}

}  // namespace tvx::replay
