#include "platform/replay/RecordingApplication.h"

#include <utility>

namespace tvx::replay {
namespace {

// Wraps a handler so that the action is written before the game sees it.
std::function<void()> Recorded(ReplayWriter& writer, Entry action, std::function<void()> handler) {
  if (!handler) return nullptr;
  return [&writer, action, handler = std::move(handler)] {
    writer.Write(action);
    handler();
  };
}

class RecordingTimer : public IIntervalTimer {
 public:
  RecordingTimer(std::unique_ptr<IIntervalTimer> inner, ReplayWriter& writer, std::int64_t index)
      : inner_(std::move(inner)), writer_(writer), index_(index) {}

  void SetEnabled(bool enabled) override { inner_->SetEnabled(enabled); }
  bool Enabled() const override { return inner_->Enabled(); }
  void SetInterval(std::uint32_t milliseconds) override { inner_->SetInterval(milliseconds); }
  std::uint32_t Interval() const override { return inner_->Interval(); }
  void SetOnTimer(std::function<void()> handler) override {
    inner_->SetOnTimer(Recorded(writer_, MakeEntry(Kind::Timer, index_), std::move(handler)));
  }

 private:
  std::unique_ptr<IIntervalTimer> inner_;
  ReplayWriter& writer_;
  std::int64_t index_;
};

}  // namespace

void RecordingApplication::SetEvents(ApplicationEvents events) {
  ApplicationEvents recorded;
  if (events.onKeyDown) {
    recorded.onKeyDown = [this, handler = std::move(events.onKeyDown)](std::uint16_t key) {
      writer_.Write(MakeEntry(Kind::Key, key));
      handler(key);
    };
  }
  recorded.onDeactivate =
      Recorded(writer_, MakeEntry(Kind::Deactivate), std::move(events.onDeactivate));
  recorded.onRestore = Recorded(writer_, MakeEntry(Kind::Restore), std::move(events.onRestore));
  recorded.onStartClicked =
      Recorded(writer_, MakeEntry(Kind::Start), std::move(events.onStartClicked));
  inner_.SetEvents(std::move(recorded));
}

void RecordingApplication::SetIdleHandler(std::function<void(bool& done)> handler) {
  if (!handler) {
    inner_.SetIdleHandler(nullptr);
    return;
  }
  inner_.SetIdleHandler([this, handler = std::move(handler)](bool& done) {
    writer_.Write(MakeEntry(Kind::Frame));
    handler(done);
  });
}

std::unique_ptr<IIntervalTimer> RecordingApplication::CreateTimer() {
  // Past the format's limit the timer still runs, but its firings cannot be told apart.
  const std::int64_t index = std::min(timersCreated_++, kMaxTimers - 1);
  return std::make_unique<RecordingTimer>(inner_.CreateTimer(), writer_, index);
}

int RecordingApplication::RefreshRate() {
  const int rate = inner_.RefreshRate();
  writer_.Write(MakeEntry(Kind::Refresh, rate));
  return rate;
}

}  // namespace tvx::replay
