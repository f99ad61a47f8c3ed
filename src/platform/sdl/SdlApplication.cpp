#include "platform/sdl/SdlApplication.h"

#include <utility>

#include "platform/DisplayGeometry.h"
#include "platform/rules/LauncherKeys.h"
#include "platform/sdl/LauncherView.h"
#include "platform/sdl/SdlKeyCodes.h"
#include "tvx_version.h"

namespace tvx {

namespace {

// The launcher draws through SDL's OpenGL renderer when it has one, so that the window never
// gets a software framebuffer that would stand in the way of the backend's GL context.
SdlRendererPtr CreateLauncherRenderer(SDL_Window* window) {
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "opengl", SDL_HINT_DEFAULT);
  SdlRendererPtr renderer(SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED));
  if (!renderer) renderer.reset(SDL_CreateRenderer(window, -1, 0));
  return renderer;
}

// SDL falls back to drivers that draw nowhere when it finds no display; the game would then
// run invisibly. They are used only when SDL_VIDEODRIVER names them (tests, screenshots).
bool DrawsNowhereUnasked(const char* driver) {
  if (driver == nullptr) return true;
  const std::string name = driver;
  if (name != "offscreen" && name != "dummy") return false;
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  return asked == nullptr || std::string(asked).find(name) == std::string::npos;
}

// A display that is named but refuses the first connection (a server still starting, a busy
// one) is tried a few times before the program gives up on it.
std::unique_ptr<SdlSubsystem> StartVideo() {
  // The desktop ties the window to its menu entry and icon by the X11 class or the Wayland app
  // id, which SDL otherwise takes from the program's file name. A value the player set wins.
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", kDesktopId, 0);
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kDesktopId, 0);
  constexpr int kAttempts = 4;
  constexpr Uint32 kPauseMs = 250;
  const bool displayNamed =
      SDL_getenv("DISPLAY") != nullptr || SDL_getenv("WAYLAND_DISPLAY") != nullptr;
  for (int attempt = 1;; ++attempt) {
    auto video = std::make_unique<SdlSubsystem>(SDL_INIT_VIDEO);
    const bool reached = video->Started() && !DrawsNowhereUnasked(SDL_GetCurrentVideoDriver());
    if (reached || !displayNamed || attempt == kAttempts) return video;
    video.reset();
    SDL_Delay(kPauseMs);
  }
}

// The desktop shows this beside the window's title and in the task switcher; on X11 SDL gives
// the window one size of it, which the desktop scales to what it needs.
void SetWindowIcon(SDL_Window* window, const LauncherPicture& icon) {
  if (icon.Empty() || icon.argb.size() != static_cast<std::size_t>(icon.width) * icon.height)
    return;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon.argb.data()), icon.width,
                                         icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

}  // namespace

std::unique_ptr<SdlApplication> SdlApplication::Create(IClock& clock, std::string& error,
                                                       const DisplayOptions& display,
                                                       const LauncherArt& art) {
  std::unique_ptr<SdlSubsystem> video = StartVideo();
  if (!video->Started()) {
    error = std::string("no display: SDL could not start its video (") + SDL_GetError() + ")";
    return nullptr;
  }
  if (const char* driver = SDL_GetCurrentVideoDriver(); DrawsNowhereUnasked(driver)) {
    error = std::string(
                "no display: neither DISPLAY nor WAYLAND_DISPLAY leads to a screen (SDL "
                "found only its \"") +
            (driver != nullptr ? driver : "none") + "\" video driver)";
    return nullptr;
  }
  // The launcher keeps its layout; a large desktop shows it larger, as it does other windows.
  SDL_DisplayMode desktop{};
  const double scale = SDL_GetDesktopDisplayMode(0, &desktop) == 0
                           ? DesktopScale(kLauncherWidth, kLauncherHeight, desktop.w, desktop.h)
                           : 1.0;
  SdlWindowPtr window(SDL_CreateWindow(kWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                       static_cast<int>(kLauncherWidth * scale + 0.5),
                                       static_cast<int>(kLauncherHeight * scale + 0.5),
                                       SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN));
  if (!window) {
    error = std::string("SDL could not open the window (") + SDL_GetError() + ")";
    return nullptr;
  }
  SetWindowIcon(window.get(), art.windowIcon);
  // Without a renderer the launcher stays blank but still starts with ENTER or SPACE.
  SdlRendererPtr renderer = CreateLauncherRenderer(window.get());
  return std::unique_ptr<SdlApplication>(new SdlApplication(
      clock, display, std::move(video), std::move(window), std::move(renderer), art));
}

SdlApplication::SdlApplication(IClock& clock, const DisplayOptions& display,
                               std::unique_ptr<SdlSubsystem> video, SdlWindowPtr window,
                               SdlRendererPtr renderer, const LauncherArt& art)
    : loop_(clock),
      video_(std::move(video)),
      window_(std::move(window)),
      renderer_(std::move(renderer)),
      view_(renderer_ ? std::make_unique<LauncherView>(renderer_.get(), art) : nullptr),
      display_(display) {
  SDL_StopTextInput();  // keys are read as key-downs; no input method in between
  DrawLauncherIfShown();
}

SdlApplication::~SdlApplication() = default;

void SdlApplication::SetIdleHandler(std::function<void(bool& done)> handler) {
  loop_.SetIdleHandler(std::move(handler));
}

std::unique_ptr<IIntervalTimer> SdlApplication::CreateTimer() {
  return loop_.Timers().CreateTimer();
}

void SdlApplication::Run() {
  while (!Terminated()) RunPass();
}

void SdlApplication::RunPass() {
  FollowVisibility();
  const bool wait = loop_.RunPass([this] { return DeliverPendingEvents(); },
                                  [] {
                                    SDL_PumpEvents();
                                    return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
                                  });
  if (!launcher_) ApplyCursor();
  if (wait) SDL_WaitEventTimeout(nullptr, static_cast<int>(loop_.WaitTimeout()));
}

bool SdlApplication::DeliverPendingEvents() {
  SDL_Event event;
  bool any = false;
  while (!Terminated() && SDL_PollEvent(&event) != 0) {
    any = true;
    Handle(event);
  }
  FollowVisibility();
  return any;
}

void SdlApplication::FollowVisibility() {
  const Uint32 flags = SDL_GetWindowFlags(window_.get());
  const bool hidden = (flags & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) != 0;
  loop_.SetHidden(hidden);
  if (hidden == hidden_) return;
  hidden_ = hidden;
  if (onVisibilityChanged_) onVisibilityChanged_(!hidden);
}

void SdlApplication::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      Terminate();
      break;
    case SDL_WINDOWEVENT:
      if (event.window.windowID == SDL_GetWindowID(window_.get())) HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
      HandleKeyDown(event.key);
      break;
    case SDL_MOUSEMOTION:
      HandleMouseMotion(event.motion);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(event.button);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERAXISMOTION:
      HandlePad(event);
      break;
    default:
      break;
  }
}

void SdlApplication::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (events_.onDeactivate) events_.onDeactivate();
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      minimized_ = true;
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
      if (minimized_) {
        minimized_ = false;
        if (events_.onRestore) events_.onRestore();
      }
      DrawLauncherIfShown();
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      DrawLauncherIfShown();
      break;
    default:
      break;
  }
}

void SdlApplication::HandleKeyDown(const SDL_KeyboardEvent& event) {
  if (IsFullScreenToggle(event.keysym)) {
    // Held down, the key would flip the mode back and forth on every repeat.
    if (event.repeat == 0) ToggleFullScreen();
    return;
  }
  // Bound keys act as the key they stand for, on the launcher as well.
  const std::uint16_t virtualKey =
      router_.KeyDown(VirtualKeyFromKeycode(event.keysym.sym),
                      DirectInputKeyCode(event.keysym.scancode), event.repeat != 0);
  if (virtualKey == 0) return;
  if (launcher_ && IsLauncherStartKey(virtualKey)) {
    if (event.repeat == 0) PressStart();
    return;
  }
  if (events_.onKeyDown) events_.onKeyDown(virtualKey);
}

void SdlApplication::HandlePad(const SDL_Event& event) {
  const std::optional<PadButton> button = pads_.Handle(event);
  if (!button) return;
  if (launcher_) {
    if (*button == PadButton::A || *button == PadButton::Start) PressStart();
    return;
  }
  const std::uint16_t key = router_.PadDown(*button);
  if (key != 0 && events_.onKeyDown) events_.onKeyDown(key);
}

void SdlApplication::HandleMouseMotion(const SDL_MouseMotionEvent& event) {
  pointerMovedAt_ = SDL_GetTicks();
  if (!launcher_) return ApplyCursor();
  const bool over = StartButtonContains(event.x, event.y);
  if (over == buttonHighlighted_) return;
  buttonHighlighted_ = over;
  DrawLauncherIfShown();
}

void SdlApplication::HandleMouseButton(const SDL_MouseButtonEvent& event) {
  if (!launcher_ || event.button != SDL_BUTTON_LEFT) return;
  const bool over = StartButtonContains(event.x, event.y);
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    buttonPressed_ = over;
    return;
  }
  // A click is a press and a release both on the button, as with any push button.
  const bool clicked = buttonPressed_ && over;
  buttonPressed_ = false;
  if (clicked) PressStart();
}

void SdlApplication::PressStart() {
  if (events_.onStartClicked) events_.onStartClicked();
}

void SdlApplication::DrawLauncherIfShown() {
  if (launcher_ && view_) view_->DrawLauncher(buttonHighlighted_);
}

void SdlApplication::Minimize() { SDL_MinimizeWindow(window_.get()); }

void SdlApplication::ShowWindow(bool visible) {
  // With one window, a hidden form and a minimised application are the same state for the
  // player: out of sight but on the taskbar. An unmapped window could not be brought back.
  if (!visible) {
    SDL_MinimizeWindow(window_.get());
    return;
  }
  SDL_ShowWindow(window_.get());
  SDL_RestoreWindow(window_.get());
  SDL_RaiseWindow(window_.get());
}

void SdlApplication::EnterGameSurface() {
  launcher_ = false;
  buttonPressed_ = false;
  ApplyWindowMode();
  if (!view_) return;
  view_->DrawSplash();
  view_.reset();
  renderer_.reset();  // from here on the graphics backend owns the window
}

void SdlApplication::HideCursor() {
  cursorHideRequested_ = true;
  ApplyCursor();
}

void SdlApplication::ShowMessage(const std::string& text) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, kWindowTitle, text.c_str(), window_.get());
}

int SdlApplication::RefreshRate() {
  const int display = SDL_GetWindowDisplayIndex(window_.get());
  SDL_DisplayMode mode;
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
  return mode.refresh_rate;
}

std::uintptr_t SdlApplication::WindowHandle() const { return SDL_GetWindowID(window_.get()); }

}  // namespace tvx
