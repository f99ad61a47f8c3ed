// The application on SDL2: one window that starts as the launcher (759 x 453 launcher pixels,
// shown larger on a large desktop, centred, drawn with an SDL renderer) and becomes the game
// surface: borderless in desktop full screen, or a resizable window of the largest whole multiple
// of 640 x 480 that fits the desktop. Alt+Enter and F11 switch between the two at any moment (in
// the launcher they switch the choice the game surface opens with); those key presses never reach
// the game. The pointer is hidden over the game in full screen, and in a window once it has not
// moved for two seconds; a window is never smaller than the game surface. The window is created
// for OpenGL; once the splash is presented the renderer is destroyed and the graphics backend
// creates its own context on Window().
//
// Run() repeats the message-loop pass: every pending SDL event, then the due window timers,
// then the idle handler; when the idle handler is done it waits for an event, no longer
// than until the next timer is due. So does a pass the game rests in (MessageLoop.h); the
// window counts as hidden while it is minimised or hidden, and the visibility handler hears
// when that changes (the program stops drawing meanwhile). Key-downs (auto-repeat
// included) arrive as virtual-key codes; while the launcher shows, ENTER and SPACE press its
// button. Focus lost calls onDeactivate, coming back from minimised calls onRestore, a quit
// request terminates. Hiding the window minimises it (see ShowWindow).
//
// Extra keys and gamepads reach the game through Input(), which turns them into the game's
// own key-downs and keyboard slots; a pad's A or Start presses the launcher's button.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/DisplayOptions.h"
#include "platform/LauncherArt.h"
#include "platform/input/InputRouter.h"
#include "platform/rules/MessageLoop.h"
#include "platform/sdl/LauncherView.h"
#include "platform/sdl/SdlGamepads.h"
#include "platform/sdl/SdlHandles.h"

namespace tvx {

class SdlApplication : public IApplication {
 public:
  // Starts SDL video and opens the launcher; null with `error` set when there is no display
  // or the window cannot be made.
  // `art` is what the launcher shows from the game's archive.
  static std::unique_ptr<SdlApplication> Create(IClock& clock, std::string& error,
                                                const DisplayOptions& display = {},
                                                const LauncherArt& art = {});
  ~SdlApplication() override;

  SDL_Window* Window() const { return window_.get(); }

  // The display choices as they are now, with the player's switches made at run time; the
  // handler hears of each switch, so that it can be remembered.
  const DisplayOptions& Display() const { return display_; }
  void SetOnDisplayChanged(std::function<void(const DisplayOptions&)> handler) {
    onDisplayChanged_ = std::move(handler);
  }
  // What Alt+Enter and F11 do.
  void ToggleFullScreen();
  // Full screen or a window as the player chose elsewhere; the handler is not called.
  void SetFullScreen(bool fullscreen);
  void SetScale(ScaleMode scale) { display_.scale = scale; }

  void SetEvents(ApplicationEvents events) override { events_ = std::move(events); }
  void SetIdleHandler(std::function<void(bool& done)> handler) override;
  void SetRestQuery(std::function<bool(bool hidden)> query) override {
    loop_.SetRestQuery(std::move(query));
  }
  // Told `true` when the window comes back into sight, `false` when it goes out of it.
  void SetOnVisibilityChanged(std::function<void(bool shown)> handler) {
    onVisibilityChanged_ = std::move(handler);
  }
  std::unique_ptr<IIntervalTimer> CreateTimer() override;
  void Run() override;
  void Terminate() override { loop_.Terminate(); }
  bool Terminated() const override { return loop_.Terminated(); }
  void Minimize() override;
  void ShowWindow(bool visible) override;
  void EnterGameSurface() override;
  bool FullScreen() const override { return display_.fullscreen; }
  void HideCursor() override;
  void ShowMessage(const std::string& text) override;
  int RefreshRate() override;
  std::uintptr_t WindowHandle() const override;

  // One pass of Run(), for callers that drive the loop themselves.
  void RunPass();

  InputRouter& Input() { return router_; }
  int PadCount() const { return pads_.Count(); }
  // Adds the steering that bound keys and pads hold to a 256-slot keyboard state.
  void AddHeldInputs(std::uint8_t* state) const {
    router_.AddHeldSlots(state, pads_.HeldButtons());
  }

 private:
  SdlApplication(IClock& clock, const DisplayOptions& display, std::unique_ptr<SdlSubsystem> video,
                 SdlWindowPtr window, SdlRendererPtr renderer, const LauncherArt& art);

  // Whether any event was delivered.
  bool DeliverPendingEvents();
  void FollowVisibility();
  void Handle(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKeyDown(const SDL_KeyboardEvent& event);
  void HandleMouseMotion(const SDL_MouseMotionEvent& event);
  void HandleMouseButton(const SDL_MouseButtonEvent& event);
  void HandlePad(const SDL_Event& event);
  void PressStart();
  void DrawLauncherIfShown();

  // Full screen or window (SdlApplicationDisplay.cpp).
  bool IsFullScreenToggle(const SDL_Keysym& key) const;
  void ApplyWindowMode();
  void ApplyCursor();
  void RememberWindowedSize();
  void WindowedSize(int& width, int& height) const;

  MessageLoop loop_;
  ApplicationEvents events_;
  // Declared in the order of creation, so that they are freed renderer, window, video.
  std::unique_ptr<SdlSubsystem> video_;
  SdlWindowPtr window_;
  SdlRendererPtr renderer_;
  std::unique_ptr<LauncherView> view_;  // textures of the renderer, freed before it
  SdlGamepads pads_;
  InputRouter router_;

  bool launcher_ = true;
  bool buttonHighlighted_ = false;
  bool buttonPressed_ = false;
  bool minimized_ = false;
  bool hidden_ = false;
  std::function<void(bool shown)> onVisibilityChanged_;

  DisplayOptions display_;
  std::function<void(const DisplayOptions&)> onDisplayChanged_;
  static constexpr Uint32 kPointerRestMs = 2000;
  bool cursorHideRequested_ = false;
  bool cursorHidden_ = false;
  Uint32 pointerMovedAt_ = 0;
  int windowedWidth_ = 0;  // the window's size before it went full screen; 0 before that
  int windowedHeight_ = 0;
};

}  // namespace tvx
