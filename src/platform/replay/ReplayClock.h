// The clock of a replay: every reading answers what the recording holds, and a sleep is
// checked against the recorded one instead of taking time. Given a real clock to pace by,
// it holds each counter reading back until as much real time has passed since the first
// one as had passed in the recording, so that a replay shown in a window runs at the
// speed it was played.
#pragma once

#include <cstdint>

#include "platform/Clock.h"
#include "platform/replay/ReplayCursor.h"

namespace tvx::replay {

class ReplayClock : public IClock {
 public:
  explicit ReplayClock(ReplayCursor& cursor, IClock* pace = nullptr)
      : cursor_(cursor), pace_(pace) {}

  bool QueryPerformanceFrequency(std::int64_t& frequency) override;
  std::int64_t QueryPerformanceCounter() override;
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  void Pace(std::int64_t recordedCounter);

  ReplayCursor& cursor_;
  IClock* pace_;
  std::int64_t frequency_ = 0;
  std::int64_t counter_ = 0;
  std::uint32_t ticks_ = 0;
  // The first recorded counter reading and the real counter at the moment it was answered.
  bool paceStarted_ = false;
  std::int64_t recordedStart_ = 0;
  std::int64_t realStart_ = 0;
  std::int64_t realFrequency_ = 0;
};

}  // namespace tvx::replay
