#include "platform/replay/ReplayApplication.h"

#include <algorithm>

namespace tvx::replay {

class ReplayApplication::Timer final : public IIntervalTimer {
 public:
  explicit Timer(ReplayApplication* owner) : owner_(owner) {}
  ~Timer() override {
    if (owner_ == nullptr) return;
    std::replace(owner_->timers_.begin(), owner_->timers_.end(), static_cast<Timer*>(this),
                 static_cast<Timer*>(nullptr));
  }

  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetInterval(std::uint32_t milliseconds) override { interval_ = milliseconds; }
  std::uint32_t Interval() const override { return interval_; }
  void SetOnTimer(std::function<void()> handler) override {
    // Shared, so that a handler that replaces itself or destroys its timer keeps running.
    handler_ = handler ? std::make_shared<std::function<void()>>(std::move(handler)) : nullptr;
  }

  bool CanFire() const { return enabled_ && interval_ != 0; }
  void Fire() const {
    if (const std::shared_ptr<std::function<void()>> running = handler_) (*running)();
  }
  void Detach() { owner_ = nullptr; }

 private:
  ReplayApplication* owner_;
  bool enabled_ = false;
  std::uint32_t interval_ = 0;
  std::shared_ptr<std::function<void()>> handler_;
};

ReplayApplication::ReplayApplication(ReplayCursor& cursor, IApplication* window)
    : cursor_(cursor), window_(window) {}

ReplayApplication::~ReplayApplication() {
  for (Timer* timer : timers_) {
    if (timer != nullptr) timer->Detach();
  }
}

void ReplayApplication::SetIdleHandler(std::function<void(bool& done)> handler) {
  idle_ = handler ? std::make_shared<std::function<void(bool&)>>(std::move(handler)) : nullptr;
}

std::unique_ptr<IIntervalTimer> ReplayApplication::CreateTimer() {
  auto timer = std::make_unique<Timer>(this);
  timers_.push_back(timer.get());
  return timer;
}

void ReplayApplication::Run() {
  if (window_ == nullptr) {
    while (PlayToFrame()) {
    }
  } else {
    ApplicationEvents viewer;
    viewer.onKeyDown = [this](std::uint16_t key) {
      if (key == vk::Escape) window_->Terminate();
    };
    window_->SetEvents(std::move(viewer));
    window_->SetIdleHandler([this](bool& done) {
      done = false;
      if (!PlayToFrame()) window_->Terminate();
    });
    window_->Run();
    stoppedByViewer_ = !terminated_ && !cursor_.Stopped();
  }
  Finish();
}

bool ReplayApplication::PlayToFrame() {
  while (!terminated_) {
    const Entry* action = cursor_.NextAction();
    if (action == nullptr) return false;
    Perform(*action);
    if (action->kind == Kind::Frame) return !terminated_;
  }
  return false;
}

void ReplayApplication::Perform(const Entry& action) {
  switch (action.kind) {
    case Kind::Start:
      if (events_.onStartClicked) events_.onStartClicked();
      break;
    case Kind::Key:
      if (events_.onKeyDown) events_.onKeyDown(static_cast<std::uint16_t>(action.a));
      break;
    case Kind::Deactivate:
      if (events_.onDeactivate) events_.onDeactivate();
      break;
    case Kind::Restore:
      if (events_.onRestore) events_.onRestore();
      break;
    case Kind::Timer:
      FireTimer(action.a);
      break;
    case Kind::Frame:
      if (const std::shared_ptr<std::function<void(bool&)>> running = idle_) {
        bool done = true;
        (*running)(done);
      }
      break;
    default:
      break;
  }
}

void ReplayApplication::FireTimer(std::int64_t index) {
  const auto slot = static_cast<std::size_t>(index);
  Timer* timer = slot < timers_.size() ? timers_[slot] : nullptr;
  if (timer == nullptr || !timer->CanFire()) {
    cursor_.Diverge("window timer " + std::to_string(index) +
                    " fires in the recording, but the program has it stopped");
    return;
  }
  timer->Fire();
}

void ReplayApplication::Terminate() {
  terminated_ = true;
  if (window_ != nullptr) window_->Terminate();
}

void ReplayApplication::Finish() {
  if (terminated_) cursor_.ExpectEnd();
}

void ReplayApplication::EnterGameSurface() {
  if (window_ != nullptr) window_->EnterGameSurface();
}

void ReplayApplication::HideCursor() {
  if (window_ != nullptr) window_->HideCursor();
}

void ReplayApplication::ShowMessage(const std::string& text) {
  if (window_ != nullptr) {
    window_->ShowMessage(text);
  } else {
    messages_.push_back(text);
  }
}

int ReplayApplication::RefreshRate() {
  const Entry* entry = cursor_.Answer(Kind::Refresh, "the refresh rate");
  return entry == nullptr ? 0 : static_cast<int>(entry->a);
}

bool ReplayApplication::FullScreen() const { return window_ != nullptr && window_->FullScreen(); }

std::uintptr_t ReplayApplication::WindowHandle() const {
  return window_ != nullptr ? window_->WindowHandle() : 1;
}

}  // namespace tvx::replay
