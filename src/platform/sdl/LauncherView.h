// What the window shows before the graphics backend owns it: the launcher (the game's intro
// backdrop, dimmed, with the game's name, the "Start Game" button and the version) and the
// splash of the game surface (black with "LOADING..."). The pictures come from the game's
// archive (see LauncherArt.h); the layout is fixed in launcher pixels, which the window shows
// larger on a large desktop; the splash is drawn in the 640 x 480 surface's pixels.
#pragma once

#include <SDL.h>

#include "platform/LauncherArt.h"
#include "platform/sdl/SdlHandles.h"

namespace tvx {

constexpr int kLauncherWidth = 759;
constexpr int kLauncherHeight = 453;
constexpr int kGameSurfaceWidth = 640;
constexpr int kGameSurfaceHeight = 480;
constexpr char kWindowTitle[] = "Tarvex";

SDL_Rect StartButtonRect();
bool StartButtonContains(int x, int y);

// The launcher's pictures as textures of one renderer; free them before it.
class LauncherView {
 public:
  LauncherView(SDL_Renderer* renderer, const LauncherArt& art);
  LauncherView(const LauncherView&) = delete;
  LauncherView& operator=(const LauncherView&) = delete;

  void DrawLauncher(bool buttonHighlighted);
  void DrawSplash();

 private:
  void Place(SDL_Texture* texture, int x, int y);

  SDL_Renderer* renderer_;
  SdlTexturePtr backdrop_, logo_, buttonCaption_, version_, splashCaption_;
};

}  // namespace tvx
