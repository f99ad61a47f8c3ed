#include "platform/replay/ReplayClock.h"

#include <algorithm>
#include <string>

namespace tvx::replay {
namespace {
// A long wait is taken a piece per reading, so that the window keeps answering meanwhile.
constexpr std::int64_t kMaxPaceWaitMs = 1000;
}  // namespace

bool ReplayClock::QueryPerformanceFrequency(std::int64_t& frequency) {
  const Entry* entry = cursor_.Answer(Kind::Frequency, "the counter frequency");
  if (entry == nullptr || entry->a == 0) return false;
  frequency = frequency_ = entry->b;
  return true;
}

std::int64_t ReplayClock::QueryPerformanceCounter() {
  if (const Entry* entry = cursor_.Answer(Kind::Counter, "a counter reading")) {
    counter_ = static_cast<std::int64_t>(static_cast<std::uint64_t>(counter_) +
                                         static_cast<std::uint64_t>(entry->a));
    Pace(counter_);
  }
  return counter_;
}

std::uint32_t ReplayClock::GetTickCount() {
  if (const Entry* entry = cursor_.Answer(Kind::Ticks, "a tick count reading")) {
    ticks_ += static_cast<std::uint32_t>(entry->a);
  }
  return ticks_;
}

void ReplayClock::Sleep(std::uint32_t milliseconds) {
  const Entry* entry = cursor_.Answer(Kind::Sleep, "a sleep");
  if (entry != nullptr && entry->a != milliseconds) {
    cursor_.Diverge("the program slept " + std::to_string(milliseconds) +
                    " ms where the recording slept " + std::to_string(entry->a) + " ms");
  }
}

void ReplayClock::Pace(std::int64_t recordedCounter) {
  if (pace_ == nullptr || frequency_ <= 0) return;
  if (!paceStarted_) {
    if (!pace_->QueryPerformanceFrequency(realFrequency_) || realFrequency_ <= 0) {
      pace_ = nullptr;
      return;
    }
    paceStarted_ = true;
    recordedStart_ = recordedCounter;
    realStart_ = pace_->QueryPerformanceCounter();
    return;
  }
  const double recordedMs = static_cast<double>(recordedCounter - recordedStart_) * 1000.0 /
                            static_cast<double>(frequency_);
  const double realMs = static_cast<double>(pace_->QueryPerformanceCounter() - realStart_) *
                        1000.0 / static_cast<double>(realFrequency_);
  const double aheadMs = recordedMs - realMs;
  if (aheadMs >= 1.0) {
    pace_->Sleep(static_cast<std::uint32_t>(std::min<double>(aheadMs, kMaxPaceWaitMs)));
  }
}

}  // namespace tvx::replay
