// One pass of the application's message loop, shared by the SDL application and its test
// double so that both run the same order: every pending event, then the due window timers,
// then the idle handler. The idle handler starts each call with done = true; leaving it so
// tells the loop to wait for the next event (or the next due timer) before the next pass.
// Once terminated, the rest of the pass is skipped.
//
// Resting, an addition of ours: after a pass that delivered no event and fired no timer,
// the rest query (when set) may answer that the idle handler has nothing to do; the pass
// then leaves it out and the loop rests, waiting pass after pass, until an event is pending
// or a timer is due. The pass that ends a rest starts with the idle handler, so that what
// ended it finds the game as its frames would have left it, and then goes on as any pass.
// The query learns whether the window is out of sight (SetHidden).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "platform/Clock.h"
#include "platform/rules/IntervalTimerScheduler.h"

namespace tvx {

class MessageLoop {
 public:
  explicit MessageLoop(IClock& clock) : timers_(clock) {}

  IntervalTimerScheduler& Timers() { return timers_; }
  const IntervalTimerScheduler& Timers() const { return timers_; }
  // Held by shared pointer so that a handler may replace itself while it runs.
  void SetIdleHandler(std::function<void(bool& done)> handler) {
    idle_ = handler ? std::make_shared<std::function<void(bool&)>>(std::move(handler)) : nullptr;
  }

  void SetRestQuery(std::function<bool(bool hidden)> query) { rest_ = std::move(query); }
  void SetHidden(bool hidden) { hidden_ = hidden; }
  bool Resting() const { return resting_; }

  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Runs one pass; `deliverPendingEvents` hands every queued event to its handler and says
  // whether there was any, and `eventsPending` whether any is queued. Returns true when the
  // loop should wait before the next pass.
  template <class DeliverPendingEvents, class EventsPending>
  bool RunPass(DeliverPendingEvents&& deliverPendingEvents, EventsPending&& eventsPending) {
    if (resting_) {
      if (!eventsPending() && !TimerDue()) return true;
      resting_ = false;
      RunIdleHandler();
      if (terminated_) return false;
    }
    bool active = deliverPendingEvents();
    if (terminated_) return false;
    if (timers_.FireDueTimers() > 0) active = true;
    if (terminated_) return false;
    if (!active && rest_ && rest_(hidden_)) {
      resting_ = true;
      return true;
    }
    return RunIdleHandler();
  }

  // How long a waiting loop may block: until the next timer is due, at most the limit below,
  // so that a missed wake-up costs no more than that; a resting loop, which every event
  // wakes anyway, the longer one, so that it hardly wakes at all.
  static constexpr std::uint32_t kWaitLimitMs = 10;
  static constexpr std::uint32_t kRestingWaitLimitMs = 100;
  std::uint32_t WaitTimeout() const;

 private:
  bool RunIdleHandler();
  bool TimerDue() const;

  IntervalTimerScheduler timers_;
  std::shared_ptr<std::function<void(bool& done)>> idle_;
  std::function<bool(bool hidden)> rest_;
  bool hidden_ = false;
  bool resting_ = false;
  bool terminated_ = false;
};

}  // namespace tvx
