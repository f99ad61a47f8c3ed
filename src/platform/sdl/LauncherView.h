// What the window shows before the graphics backend owns it: the launcher (a dark page with
// the title and the "Start Game" button) and the splash of the game surface (black with a
// white "LOADING..." label). The layout is fixed in launcher pixels; the splash is drawn in
// the 640 x 480 surface's pixels.
#pragma once

#include <SDL.h>

#include <string>

namespace tvx {

constexpr int kLauncherWidth = 759;
constexpr int kLauncherHeight = 453;
constexpr int kGameSurfaceWidth = 640;
constexpr int kGameSurfaceHeight = 480;
constexpr char kWindowTitle[] = "Tarvex";
constexpr char kStartButtonCaption[] = "Start Game";
constexpr char kSplashCaption[] = "LOADING...";

// "v1.0.0": the program's version, drawn small in the launcher's lower right corner.
std::string VersionCaption();

SDL_Rect StartButtonRect();
bool StartButtonContains(int x, int y);

void DrawLauncher(SDL_Renderer* renderer, bool buttonHighlighted);
void DrawSplash(SDL_Renderer* renderer);

}  // namespace tvx
