#include "platform/doubles/FakeApplication.h"

#include <algorithm>
#include <utility>

#include "platform/rules/LauncherKeys.h"

namespace tvx {

FakeApplication::FakeApplication(VirtualClock& clock) : clock_(clock), loop_(clock) {}

void FakeApplication::SetIdleHandler(std::function<void(bool& done)> handler) {
  loop_.SetIdleHandler(std::move(handler));
}

void FakeApplication::SetRestQuery(std::function<bool(bool hidden)> query) {
  loop_.SetRestQuery(std::move(query));
}

std::unique_ptr<IIntervalTimer> FakeApplication::CreateTimer() {
  return loop_.Timers().CreateTimer();
}

std::size_t FakeApplication::TimerCount() const { return loop_.Timers().TimerCount(); }

void FakeApplication::Run() {
  while (!Terminated()) RunPass();
}

void FakeApplication::Terminate() {
  ++terminateCalls_;
  loop_.Terminate();
}

void FakeApplication::Minimize() {
  ++minimizeCalls_;
  minimized_ = true;
}

void FakeApplication::ShowWindow(bool visible) {
  showWindowCalls_.push_back(visible);
  visible_ = visible;
}

void FakeApplication::EnterGameSurface() { ++enterGameSurfaceCalls_; }

void FakeApplication::HideCursor() { ++hideCursorCalls_; }

void FakeApplication::QueueKey(std::uint16_t virtualKey) {
  pending_.push_back({EventKind::Key, virtualKey});
}

void FakeApplication::QueueDeactivate() { pending_.push_back({EventKind::Deactivate, 0}); }

void FakeApplication::QueueRestore() { pending_.push_back({EventKind::Restore, 0}); }

void FakeApplication::ClickStart() { pending_.push_back({EventKind::StartClick, 0}); }

void FakeApplication::RunPass() {
  if (Terminated()) return;
  ++passes_;
  loop_.SetHidden(minimized_ || !visible_);
  const bool wait = loop_.RunPass(
      [this] {
        const bool any = !pending_.empty();
        DeliverPendingEvents();
        return any;
      },
      [this] { return !pending_.empty(); });
  if (loop_.Resting()) ++restingPasses_;
  if (wait && pending_.empty()) Wait();
}

void FakeApplication::RunPasses(int count) {
  for (int i = 0; i < count && !Terminated(); ++i) RunPass();
}

void FakeApplication::RunFor(std::uint32_t virtualMilliseconds) {
  const std::int64_t endUs = EndAfter(virtualMilliseconds);
  while (!Terminated() && TimeLeft(endUs)) RunPass();
}

bool FakeApplication::RunUntil(const std::function<bool()>& predicate,
                               std::uint32_t maxVirtualMilliseconds) {
  const std::int64_t endUs = EndAfter(maxVirtualMilliseconds);
  while (!predicate()) {
    if (Terminated() || !TimeLeft(endUs)) return false;
    RunPass();
  }
  return true;
}

void FakeApplication::DeliverPendingEvents() {
  // Events that handlers queue are delivered in the same pass, as the real queue is drained.
  while (!pending_.empty() && !Terminated()) {
    const Event event = pending_.front();
    pending_.pop_front();
    Deliver(event);
  }
}

void FakeApplication::Deliver(const Event& event) {
  switch (event.kind) {
    case EventKind::Key:
      if (!OnGameSurface() && IsLauncherStartKey(event.virtualKey)) {
        Deliver({EventKind::StartClick, 0});
      } else if (events_.onKeyDown) {
        events_.onKeyDown(event.virtualKey);
      }
      break;
    case EventKind::Deactivate:
      if (events_.onDeactivate) events_.onDeactivate();
      break;
    case EventKind::Restore:
      minimized_ = false;
      if (events_.onRestore) events_.onRestore();
      break;
    case EventKind::StartClick:
      // The button is gone once the window has become the game surface.
      if (!OnGameSurface() && events_.onStartClicked) events_.onStartClicked();
      break;
  }
}

void FakeApplication::Wait() {
  // At least a millisecond, so that a waiting loop always moves on.
  clock_.Advance(std::max<std::uint32_t>(1, loop_.WaitTimeout()));
}

std::int64_t FakeApplication::EndAfter(std::uint32_t milliseconds) const {
  return clock_.NowMicroseconds() + static_cast<std::int64_t>(milliseconds) * 1000;
}

}  // namespace tvx
