// The application for tests: the same message-loop pass and window timers as the SDL
// application, over a virtual clock, with scripted events instead of a window.
//
// Queued events (keys, focus lost, restore, the start click) are delivered in order at the
// start of the next pass, as the real window delivers what arrived since its last pass;
// ENTER and SPACE press the start button while the launcher shows, as in the real one. A
// pass whose idle handler leaves done set waits like the real loop: the virtual clock moves
// on to the next due timer, at most MessageLoop::kWaitLimitMs; so does a pass the game rests
// in (the window counts as hidden while minimised or not visible). Every run stops once
// terminated. Calls the game makes on the window are recorded for tests to check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/doubles/VirtualClock.h"
#include "platform/rules/MessageLoop.h"

namespace tvx {

class FakeApplication : public IApplication {
 public:
  explicit FakeApplication(VirtualClock& clock);

  void SetEvents(ApplicationEvents events) override { events_ = std::move(events); }
  void SetIdleHandler(std::function<void(bool& done)> handler) override;
  void SetRestQuery(std::function<bool(bool hidden)> query) override;
  std::unique_ptr<IIntervalTimer> CreateTimer() override;
  void Run() override;
  void Terminate() override;
  bool Terminated() const override { return loop_.Terminated(); }
  void Minimize() override;
  void ShowWindow(bool visible) override;
  void EnterGameSurface() override;
  bool FullScreen() const override { return fullScreen_; }
  void HideCursor() override;
  void ShowMessage(const std::string& text) override { messages_.push_back(text); }
  int RefreshRate() override { return refreshRate_; }
  std::uintptr_t WindowHandle() const override { return kWindowHandle; }

  static constexpr std::uintptr_t kWindowHandle = 1;

  void QueueKey(std::uint16_t virtualKey);
  void QueueDeactivate();
  void QueueRestore();
  // The launcher's button; like every scripted event it arrives with the next pass.
  void ClickStart();
  std::size_t PendingEvents() const { return pending_.size(); }

  void RunPass();
  void RunPasses(int count);
  void RunFor(std::uint32_t virtualMilliseconds);
  // True once `predicate` holds (checked before every pass); false when the time ran out or
  // the application terminated first.
  bool RunUntil(const std::function<bool()>& predicate, std::uint32_t maxVirtualMilliseconds);
  std::uint64_t Passes() const { return passes_; }

  void SetRefreshRate(int hz) { refreshRate_ = hz; }
  void SetFullScreen(bool fullScreen) { fullScreen_ = fullScreen; }
  std::size_t TimerCount() const;

  const std::vector<std::string>& MessagesShown() const { return messages_; }
  const std::vector<bool>& ShowWindowCalls() const { return showWindowCalls_; }
  int MinimizeCalls() const { return minimizeCalls_; }
  int HideCursorCalls() const { return hideCursorCalls_; }
  int EnterGameSurfaceCalls() const { return enterGameSurfaceCalls_; }
  int TerminateCalls() const { return terminateCalls_; }
  bool Minimized() const { return minimized_; }
  bool WindowVisible() const { return visible_; }
  bool CursorHidden() const { return hideCursorCalls_ > 0; }
  bool OnGameSurface() const { return enterGameSurfaceCalls_ > 0; }
  // Passes whose idle handler the loop left out because the game rested.
  std::uint64_t RestingPasses() const { return restingPasses_; }

 private:
  enum class EventKind { Key, Deactivate, Restore, StartClick };
  struct Event {
    EventKind kind;
    std::uint16_t virtualKey;
  };

  void DeliverPendingEvents();
  void Deliver(const Event& event);
  void Wait();
  bool TimeLeft(std::int64_t endUs) const { return clock_.NowMicroseconds() < endUs; }
  std::int64_t EndAfter(std::uint32_t milliseconds) const;

  VirtualClock& clock_;
  MessageLoop loop_;
  ApplicationEvents events_;
  std::deque<Event> pending_;
  std::uint64_t passes_ = 0;
  std::uint64_t restingPasses_ = 0;
  int refreshRate_ = 60;
  bool fullScreen_ = true;

  std::vector<std::string> messages_;
  std::vector<bool> showWindowCalls_;
  int minimizeCalls_ = 0;
  int hideCursorCalls_ = 0;
  int enterGameSurfaceCalls_ = 0;
  int terminateCalls_ = 0;
  bool minimized_ = false;
  bool visible_ = true;
};

}  // namespace tvx
