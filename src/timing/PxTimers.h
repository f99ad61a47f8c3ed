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
//
// Paced frames, an addition of ours (off until SetPaceRate): frames follow the display's
// rate, never faster than MaxFPS, instead of the shortest-frame rule above. A frame is due
// one pace period after the frame before it; an enabled pass that comes a millisecond or
// more before its due time sleeps until then, in whole milliseconds, and the next frame is
// due a period after this one was (the part of a millisecond not slept is kept); one that
// comes later, or less than a millisecond early, runs at once, and the next frame is due a
// period from now. A frame that the display holds to its refresh (VSync) comes on time and
// sleeps nothing; one that nothing holds (no VSync, a hidden window) sleeps the rest of its
// period, never spins. The clock is read once per pass, as before, so the sleep still falls
// into the next frame's measurement.
//
// What a frame shows, for drawing between ticks: ShownLag says how far behind the newest
// tick the picture stands. It is the previous frame's logic time placed on the refresh
// lattice (RefreshLattice.h, one pace period apart), less one tick: the newest tick and the
// one before it bracket it (a lag of 0 to 1), or, when a late wake-up ran a tick early, the
// two before (up to 2).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "core/Component.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "timing/RefreshLattice.h"

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
  // Frames paced to this display rate; 0 or less: the original shortest-frame rule.
  int PaceRate() const { return paceRate_; }
  void SetPaceRate(int hertz);
  // The pace period in fixed-point milliseconds (the longer of the rate's and MaxFPS's
  // frame); 0 while frames are not paced.
  std::int32_t PacePeriod() const { return pacePeriod_; }
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
  // Whole ticks run (or dropped) since the timer was made.
  std::int64_t TicksRun() const { return ticksRun_; }
  // How many ticks behind the newest one this frame's picture stands, 0 to 2 (see above).
  double ShownLag() const { return shownLag_; }

 private:
  std::int32_t MeasureElapsed();
  std::int32_t MeasureHighResolution();
  std::int32_t MeasureTickCount();
  void UpdatePacePeriod();
  void PaceFrame();
  void PlaceShownTime(std::int64_t shown);

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

  int paceRate_ = 0;
  std::int32_t pacePeriod_ = 0;
  std::int64_t paceAhead_ = 0;  // the next frame's due time after the last reading, fixed ms
  std::int64_t ticksRun_ = 0;
  RefreshLattice lattice_;  // in fixed-point ticks
  double shownLag_ = 0;
};

}  // namespace tvx
