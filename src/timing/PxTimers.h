// The game timer: runs one frame per pass of the application's idle time and a fixed rate
// of logic ticks inside the frames.
//
// Time is kept in signed 32-bit fixed point with 20 fraction bits: milliseconds for the
// clock readings and frame lengths, ticks for the logic. Each idle pass measures the time
// since the previous pass; an enabled pass is a frame: it sleeps off what is left of the
// shortest frame (MaxFPS), turns the measured time into ticks (at most 32), banks them if
// the previous frame ran Process, and calls OnTimer. Process, called from OnTimer, runs
// OnProcess once per whole banked tick and keeps the fraction.
//
// Bounds of our own: Speed above kMaxSpeed is stored as kMaxSpeed, so that a tick stays at
// least one fixed-point unit long; a gap between two passes that does not fit Elapsed is
// measured as its largest value, and a clock that went backwards as no time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "core/Component.h"
#include "platform/Application.h"
#include "platform/Clock.h"

namespace tvx {

enum class TPerformancePrecision { ppLow, ppHigh };

class TPxTimer : public TComponent {
 public:
  using TNotifyEvent = std::function<void(TComponent* sender)>;

  static constexpr std::int32_t kOne = 1 << 20;                    // 1.0 in fixed point
  static constexpr std::int64_t kSecondInFixedMs = 1000LL * kOne;  // 1048576000
  static constexpr double kMaxSpeed = 1048576000.0;                // gives TickInterval 1
  static constexpr std::int32_t kMaxDelta = 32 * kOne;
  static constexpr std::int32_t kMaxElapsed = 0x7FFFFFFF;
  static constexpr std::uint32_t kDisabledSleepMs = 5;

  // Installs IdleHandler as the application's idle handler, replacing any other.
  TPxTimer(TComponent* owner, IClock& clock, IApplication& application);
  ~TPxTimer() override;

  double Speed() const { return speed_; }
  void SetSpeed(double speed);
  int MaxFPS() const { return maxFPS_; }
  void SetMaxFPS(int maxFPS);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  TPerformancePrecision Precision() const { return precision_; }

  TNotifyEvent OnTimer;    // once per frame
  TNotifyEvent OnProcess;  // once per logic tick, from Process

  // Runs the banked whole ticks; called by the owner from OnTimer.
  void Process();
  // One pass of the application's idle time.
  void IdleHandler(bool& done);

  std::int32_t TickInterval() const { return tickInterval_; }
  std::int32_t MinFrameTime() const { return minFrameTime_; }
  std::int32_t Elapsed() const { return elapsed_; }
  std::int32_t Delta() const { return delta_; }
  std::int32_t ProcessTime() const { return processTime_; }
  bool Processed() const { return processed_; }

 private:
  std::int32_t MeasureElapsed();
  std::int32_t MeasureHighResolution();
  std::int32_t MeasureTickCount();

  IClock& clock_;
  // The installed idle handler reaches the timer through this cell, which the destructor
  // empties, so an application that outlives the timer never calls into freed memory.
  std::shared_ptr<TPxTimer*> self_;

  double speed_ = 0;
  int maxFPS_ = 0;
  bool enabled_ = false;
  TPerformancePrecision precision_ = TPerformancePrecision::ppLow;

  std::int32_t tickInterval_ = 0;
  std::int32_t minFrameTime_ = 0;
  std::int64_t frequency_ = 0;
  std::int64_t lastCounter_ = 0;
  std::uint32_t lastTickCount_ = 0;
  std::int32_t elapsed_ = 0;
  std::int32_t delta_ = 0;
  std::int32_t processTime_ = 0;
  bool processed_ = false;
};

}  // namespace tvx
