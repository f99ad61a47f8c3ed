// A clock that passes every reading of the real one through and writes it to a replay:
// counter and tick readings as differences from the previous ones, sleeps as asked.
#pragma once

#include <cstdint>

#include "platform/Clock.h"
#include "platform/replay/ReplayWriter.h"

namespace tvx::replay {

class RecordingClock : public IClock {
 public:
  RecordingClock(IClock& inner, ReplayWriter& writer) : inner_(inner), writer_(writer) {}

  bool QueryPerformanceFrequency(std::int64_t& frequency) override;
  std::int64_t QueryPerformanceCounter() override;
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  IClock& inner_;
  ReplayWriter& writer_;
  std::int64_t lastCounter_ = 0;
  std::uint32_t lastTicks_ = 0;
};

}  // namespace tvx::replay
