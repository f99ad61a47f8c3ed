// The application and its one window, as the game sees them: a message loop that delivers
// pending events, then due interval timers, then the idle handler; key-down events with
// Windows virtual-key codes; focus, minimise and terminate; a modal message box; the
// display's refresh rate. The window starts as the launcher (759 x 453 with a "Start Game"
// button) and becomes the 640 x 480 game surface on EnterGameSurface.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tvx {

// Virtual-key codes delivered with key-down events.
namespace vk {
constexpr std::uint16_t Space = 32;
constexpr std::uint16_t Return = 13;
constexpr std::uint16_t Escape = 27;
constexpr std::uint16_t Control = 17;
constexpr std::uint16_t A = 65;
constexpr std::uint16_t Z = 90;
}  // namespace vk

// A window timer. Rules: it fires on the main thread between frames, at most once per
// pass of the message loop (no catch-up burst after a stall); enabling an enabled timer
// keeps its countdown; setting a different interval restarts it; an interval of 0 never fires.
class IIntervalTimer {
 public:
  virtual ~IIntervalTimer() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetInterval(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t Interval() const = 0;
  virtual void SetOnTimer(std::function<void()> handler) = 0;
};

struct ApplicationEvents {
  std::function<void(std::uint16_t virtualKey)> onKeyDown;  // auto-repeat delivered
  std::function<void()> onDeactivate;                       // the window lost the focus
  std::function<void()> onRestore;                          // the window came back from minimised
  std::function<void()> onStartClicked;                     // the launcher's "Start Game"
};

class IApplication {
 public:
  virtual ~IApplication() = default;

  virtual void SetEvents(ApplicationEvents events) = 0;
  // Called whenever the queue is empty; the handler sets `done` false to be called again at
  // once instead of waiting for the next message.
  virtual void SetIdleHandler(std::function<void(bool& done)> handler) = 0;
  // Asked after a pass that delivered no event and fired no timer (see MessageLoop.h): true
  // lets the loop leave out the idle handler and wait until an event or a due timer ends the
  // rest, whose first pass then starts with the idle handler. `hidden` tells whether the
  // window is minimised or hidden. An application that plays recorded frames never rests.
  virtual void SetRestQuery(std::function<bool(bool hidden)> query) { (void)query; }
  virtual std::unique_ptr<IIntervalTimer> CreateTimer() = 0;

  // Runs the message loop until Terminate.
  virtual void Run() = 0;
  virtual void Terminate() = 0;
  virtual bool Terminated() const = 0;

  virtual void Minimize() = 0;
  virtual void ShowWindow(bool visible) = 0;
  // Hides the launcher's button and page and turns the window into the 640 x 480 game
  // surface, shown desktop full screen (borderless) or, at the player's choice, in a window,
  // with the splash picture and its "LOADING..." label on it until the first frame is
  // presented.
  virtual void EnterGameSurface() = 0;
  // Whether the game surface is shown full screen now; the player may switch at any moment.
  virtual bool FullScreen() const = 0;
  // Hidden over the game surface while it is full screen; in a window, once it rests a moment.
  virtual void HideCursor() = 0;
  virtual void ShowMessage(const std::string& text) = 0;  // modal

  // The display's vertical refresh rate in Hz; 0 when unknown.
  virtual int RefreshRate() = 0;
  virtual std::uintptr_t WindowHandle() const = 0;
};

}  // namespace tvx
