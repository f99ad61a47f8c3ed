// The game surface full screen or in a window, and the switch between them.
#include "platform/DisplayGeometry.h"
#include "platform/sdl/LauncherView.h"
#include "platform/sdl/SdlApplication.h"

namespace tvx {

bool SdlApplication::IsFullScreenToggle(const SDL_Keysym& key) const {
  const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
  return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT) != 0);
}

void SdlApplication::ToggleFullScreen() {
  // The launcher keeps its own fixed layout; the choice applies when the game surface opens.
  SetFullScreen(!display_.fullscreen);
  if (onDisplayChanged_) onDisplayChanged_(display_);
}

void SdlApplication::SetFullScreen(bool fullscreen) {
  if (fullscreen == display_.fullscreen) return;
  if (!launcher_ && fullscreen) RememberWindowedSize();
  display_.fullscreen = fullscreen;
  if (!launcher_) ApplyWindowMode();
}

void SdlApplication::ApplyWindowMode() {
  SDL_Window* window = window_.get();
  if (display_.fullscreen) {
    SDL_SetWindowResizable(window, SDL_FALSE);
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowSize(window, kGameSurfaceWidth, kGameSurfaceHeight);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    int width = windowedWidth_;
    int height = windowedHeight_;
    if (width == 0 || height == 0) WindowedSize(width, height);
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowResizable(window, SDL_TRUE);
    // Smaller, the picture's text would be too small to read.
    SDL_SetWindowMinimumSize(window, kGameSurfaceWidth, kGameSurfaceHeight);
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  ApplyCursor();
}

// Full screen hides the pointer over the game; a window hides it once it has rested a while,
// and shows it again as soon as it moves.
void SdlApplication::ApplyCursor() {
  const bool resting = SDL_GetTicks() - pointerMovedAt_ >= kPointerRestMs;
  const bool hidden = cursorHideRequested_ && !launcher_ && (display_.fullscreen || resting);
  if (hidden == cursorHidden_) return;
  cursorHidden_ = hidden;
  SDL_ShowCursor(hidden ? SDL_DISABLE : SDL_ENABLE);
}

// A window the player has resized comes back at that size after full screen.
void SdlApplication::RememberWindowedSize() {
  SDL_GetWindowSize(window_.get(), &windowedWidth_, &windowedHeight_);
}

// The largest whole multiple of the game surface whose window, frame included, fits the
// desktop's usable area; at least 1x.
void SdlApplication::WindowedSize(int& width, int& height) const {
  SDL_Window* window = window_.get();
  SDL_Rect usable{0, 0, kGameSurfaceWidth, kGameSurfaceHeight};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display >= 0) SDL_GetDisplayUsableBounds(display, &usable);
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  // Known only where a window manager frames the window (the launcher is framed).
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;
  }
  const int factor = WholeMultipleThatFits(kGameSurfaceWidth, kGameSurfaceHeight,
                                           usable.w - left - right, usable.h - top - bottom);
  width = kGameSurfaceWidth * factor;
  height = kGameSurfaceHeight * factor;
}

}  // namespace tvx
