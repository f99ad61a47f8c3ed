// Window timers over a millisecond tick count. The message loop asks the scheduler once per
// pass to fire what is due; each enabled timer with a non-zero interval fires when its
// interval has passed since its countdown started. The next countdown starts when the
// firing fell due, so periods do not drift by the loop's lateness; a timer a whole period
// late or more starts it at the firing, so a stalled loop sees one firing, never a burst.
//
// Countdown rules: enabling a disabled timer starts the countdown, enabling an enabled one
// keeps it; a different interval restarts it, the same interval changes nothing. Timers fire
// in creation order, at most once per pass. A handler may change or destroy any timer,
// itself included, and may create new ones (they are first looked at in the next pass).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Application.h"
#include "platform/Clock.h"

namespace tvx {

class IntervalTimerScheduler {
 public:
  explicit IntervalTimerScheduler(IClock& clock);
  ~IntervalTimerScheduler();
  IntervalTimerScheduler(const IntervalTimerScheduler&) = delete;
  IntervalTimerScheduler& operator=(const IntervalTimerScheduler&) = delete;

  // The timer starts disabled with interval 0. It may outlive the scheduler; it then never fires.
  std::unique_ptr<IIntervalTimer> CreateTimer();

  // Fires every due enabled timer once, in creation order; says how many fired.
  std::size_t FireDueTimers();

  // Milliseconds until the next enabled timer is due (0 when one is already due); empty
  // when no timer can fire.
  std::optional<std::uint32_t> MillisecondsUntilNextDue() const;

  std::size_t TimerCount() const;

 private:
  class Timer;

  void Forget(Timer* timer);
  std::uint32_t Now() const { return clock_.GetTickCount(); }

  IClock& clock_;
  // Slots of destroyed timers are emptied during a pass and compacted after it, so that the
  // loop's indices stay valid while handlers destroy timers.
  std::vector<Timer*> timers_;
  int firingDepth_ = 0;
  bool hasEmptySlots_ = false;
};

}  // namespace tvx
