// The application of a replay: Run() hands the game the recorded actions in order (the
// start button, key-downs, focus changes, window timer firings, idle passes) until the
// recording ends, the game quits, or the replay diverges; the refresh rate answers the
// recorded one. A window timer fires only when the recording says so, and only if the game
// has it running, else the replay diverges.
//
// Without a window everything happens in Run() at once. With one (the real program showing
// a replay), each pass of the window's own loop plays the actions up to and including the
// next frame, the game's window calls go to it, ESC or closing the window stops the replay,
// and focus changes from the recording do not minimise the viewer's window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/replay/ReplayCursor.h"

namespace tvx::replay {

class ReplayApplication : public IApplication {
 public:
  explicit ReplayApplication(ReplayCursor& cursor, IApplication* window = nullptr);
  ~ReplayApplication() override;

  void SetEvents(ApplicationEvents events) override { events_ = std::move(events); }
  void SetIdleHandler(std::function<void(bool& done)> handler) override;
  std::unique_ptr<IIntervalTimer> CreateTimer() override;
  void Run() override;
  void Terminate() override;
  bool Terminated() const override { return terminated_; }
  void Minimize() override {}
  void ShowWindow(bool) override {}
  void EnterGameSurface() override;
  void HideCursor() override;
  void ShowMessage(const std::string& text) override;
  int RefreshRate() override;
  std::uintptr_t WindowHandle() const override;
  // Only decides whether focus loss minimises, which a replay never does to the viewer.
  bool FullScreen() const override;

  // Messages the game showed, when there is no window to show them.
  const std::vector<std::string>& MessagesShown() const { return messages_; }
  // True when the viewer stopped the replay before its end.
  bool StoppedByViewer() const { return stoppedByViewer_; }

 private:
  class Timer;

  // Plays actions up to and including the next frame; false once the replay is over.
  bool PlayToFrame();
  void Perform(const Entry& action);
  void FireTimer(std::int64_t index);
  void Finish();

  ReplayCursor& cursor_;
  IApplication* window_;
  ApplicationEvents events_;
  std::shared_ptr<std::function<void(bool&)>> idle_;
  std::vector<Timer*> timers_;  // in creation order; null once destroyed
  std::vector<std::string> messages_;
  bool terminated_ = false;
  bool stoppedByViewer_ = false;
};

}  // namespace tvx::replay
