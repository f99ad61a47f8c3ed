#include "platform/rules/IntervalTimerScheduler.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace tvx {

class IntervalTimerScheduler::Timer final : public IIntervalTimer {
 public:
  explicit Timer(IntervalTimerScheduler* scheduler) : scheduler_(scheduler) {}
  ~Timer() override {
    if (scheduler_ != nullptr) scheduler_->Forget(this);
  }

  void SetEnabled(bool enabled) override {
    if (enabled && !enabled_) RestartCountdown();
    enabled_ = enabled;
  }
  bool Enabled() const override { return enabled_; }

  void SetInterval(std::uint32_t milliseconds) override {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    RestartCountdown();
  }
  std::uint32_t Interval() const override { return interval_; }

  void SetOnTimer(std::function<void()> handler) override {
    // Held by shared pointer so that a handler replacing itself, or destroying its timer,
    // does not free the function while it runs.
    handler_ = handler ? std::make_shared<std::function<void()>>(std::move(handler)) : nullptr;
  }

  bool CanFire() const { return scheduler_ != nullptr && enabled_ && interval_ != 0; }
  // Unsigned differences keep the arithmetic right across the tick count's wrap.
  std::uint32_t SinceStart(std::uint32_t now) const { return now - countdownStart_; }
  bool IsDue(std::uint32_t now) const { return CanFire() && SinceStart(now) >= interval_; }

  void Fire(std::uint32_t now) {
    // Counted from when it fell due, so a loop's lateness does not add up; a whole period
    // late or more counts from now, so a stalled loop never sees a burst. Set before the
    // handler, so that its own changes are kept.
    const std::uint32_t late = SinceStart(now) - interval_;
    countdownStart_ = late < interval_ ? countdownStart_ + interval_ : now;
    if (!handler_) return;
    const std::shared_ptr<std::function<void()>> running = handler_;
    (*running)();
  }

  void Detach() { scheduler_ = nullptr; }

 private:
  void RestartCountdown() {
    if (scheduler_ != nullptr) countdownStart_ = scheduler_->Now();
  }

  IntervalTimerScheduler* scheduler_;
  bool enabled_ = false;
  std::uint32_t interval_ = 0;
  std::uint32_t countdownStart_ = 0;
  std::shared_ptr<std::function<void()>> handler_;
};

IntervalTimerScheduler::IntervalTimerScheduler(IClock& clock) : clock_(clock) {}

IntervalTimerScheduler::~IntervalTimerScheduler() {
  for (Timer* timer : timers_) {
    if (timer != nullptr) timer->Detach();
  }
}

std::unique_ptr<IIntervalTimer> IntervalTimerScheduler::CreateTimer() {
  auto timer = std::make_unique<Timer>(this);
  timers_.push_back(timer.get());
  return timer;
}

std::size_t IntervalTimerScheduler::FireDueTimers() {
  ++firingDepth_;
  std::size_t fired = 0;
  // Timers created by a handler lie beyond `count` and wait for the next pass.
  const std::size_t count = timers_.size();
  for (std::size_t i = 0; i < count; ++i) {
    Timer* timer = timers_[i];
    if (timer == nullptr) continue;
    const std::uint32_t now = Now();  // read per timer: a handler may have taken time
    if (timer->IsDue(now)) {
      timer->Fire(now);
      ++fired;
    }
  }
  --firingDepth_;
  if (firingDepth_ == 0 && hasEmptySlots_) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), nullptr), timers_.end());
    hasEmptySlots_ = false;
  }
  return fired;
}

std::optional<std::uint32_t> IntervalTimerScheduler::MillisecondsUntilNextDue() const {
  std::optional<std::uint32_t> soonest;
  const std::uint32_t now = Now();
  for (const Timer* timer : timers_) {
    if (timer == nullptr || !timer->CanFire()) continue;
    const std::uint32_t since = timer->SinceStart(now);
    const std::uint32_t left = since >= timer->Interval() ? 0 : timer->Interval() - since;
    if (!soonest || left < *soonest) soonest = left;
  }
  return soonest;
}

std::size_t IntervalTimerScheduler::TimerCount() const {
  return static_cast<std::size_t>(std::count_if(
      timers_.begin(), timers_.end(), [](const Timer* timer) { return timer != nullptr; }));
}

void IntervalTimerScheduler::Forget(Timer* timer) {
  const auto it = std::find(timers_.begin(), timers_.end(), timer);
  if (it == timers_.end()) return;
  if (firingDepth_ > 0) {
    *it = nullptr;
    hasEmptySlots_ = true;
  } else {
    timers_.erase(it);
  }
}

}  // namespace tvx
