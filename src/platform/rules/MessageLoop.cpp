#include "platform/rules/MessageLoop.h"

#include <algorithm>
#include <optional>

namespace tvx {

std::uint32_t MessageLoop::WaitTimeout() const {
  const std::optional<std::uint32_t> untilDue = timers_.MillisecondsUntilNextDue();
  return untilDue ? std::min(*untilDue, kWaitLimitMs) : kWaitLimitMs;
}

bool MessageLoop::TimerDue() const {
  const std::optional<std::uint32_t> untilDue = timers_.MillisecondsUntilNextDue();
  return untilDue && *untilDue == 0;
}

bool MessageLoop::RunIdleHandler() {
  bool done = true;
  if (idle_) {
    const std::shared_ptr<std::function<void(bool&)>> running = idle_;
    (*running)(done);
  }
  return done;
}

}  // namespace tvx
