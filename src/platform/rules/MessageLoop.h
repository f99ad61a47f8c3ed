// One pass of the application's message loop, shared by the SDL application and its test
// double so that both run the same order: every pending event, then the due window timers,
// then the idle handler. The idle handler starts each call with done = true; leaving it so
// tells the loop to wait for the next event (or the next due timer) before the next pass.
// Once terminated, the rest of the pass is skipped.
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

  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Runs one pass; `deliverPendingEvents` hands every queued event to its handler. Returns
  // true when the loop should wait before the next pass.
  template <class DeliverPendingEvents>
  bool RunPass(DeliverPendingEvents&& deliverPendingEvents) {
    deliverPendingEvents();
    if (terminated_) return false;
    timers_.FireDueTimers();
    if (terminated_) return false;
    return RunIdleHandler();
  }

  // How long a waiting loop may block: until the next timer is due, at most the limit below,
  // so that a missed wake-up costs no more than that.
  static constexpr std::uint32_t kWaitLimitMs = 10;
  std::uint32_t WaitTimeout() const;

 private:
  bool RunIdleHandler();

  IntervalTimerScheduler timers_;
  std::shared_ptr<std::function<void(bool& done)>> idle_;
  bool terminated_ = false;
};

}  // namespace tvx
