// An application that runs the real one and writes to a replay everything it pushes into the
// game: the start button, key-down events, focus changes, each window timer's firing (timers
// numbered in creation order) and each pass of the idle handler, and the refresh rate the
// game asks for. The window itself is the real one; calls on it pass through.
#pragma once

#include <memory>

#include "platform/Application.h"
#include "platform/replay/ReplayWriter.h"

namespace tvx::replay {

class RecordingApplication : public IApplication {
 public:
  RecordingApplication(IApplication& inner, ReplayWriter& writer)
      : inner_(inner), writer_(writer) {}

  void SetEvents(ApplicationEvents events) override;
  void SetIdleHandler(std::function<void(bool& done)> handler) override;
  // Not passed on: a recorded game does not rest, so that its recording keeps a frame for
  // every pass of the loop, as the format says.
  void SetRestQuery(std::function<bool(bool hidden)>) override {}
  std::unique_ptr<IIntervalTimer> CreateTimer() override;
  void Run() override { inner_.Run(); }
  void Terminate() override { inner_.Terminate(); }
  bool Terminated() const override { return inner_.Terminated(); }
  void Minimize() override { inner_.Minimize(); }
  void ShowWindow(bool visible) override { inner_.ShowWindow(visible); }
  void EnterGameSurface() override { inner_.EnterGameSurface(); }
  void HideCursor() override { inner_.HideCursor(); }
  void ShowMessage(const std::string& text) override { inner_.ShowMessage(text); }
  int RefreshRate() override;
  std::uintptr_t WindowHandle() const override { return inner_.WindowHandle(); }
  bool FullScreen() const override { return inner_.FullScreen(); }

 private:
  IApplication& inner_;
  ReplayWriter& writer_;
  std::int64_t timersCreated_ = 0;
};

}  // namespace tvx::replay
