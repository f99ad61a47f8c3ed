#include "platform/sdl/LauncherView.h"

#include "platform/sdl/LauncherFont.h"
#include "tvx_version.h"

namespace tvx {

namespace {

constexpr int kTitleScale = 6;
constexpr int kTitleTop = 110;
constexpr int kButtonWidth = 300;
constexpr int kButtonHeight = 64;
constexpr int kButtonTop = 280;
constexpr int kButtonTextScale = 3;
constexpr int kSplashTextScale = 3;
constexpr int kVersionMargin = 8;

void SetColor(SDL_Renderer* renderer, Uint8 r, Uint8 g, Uint8 b) {
  SDL_SetRenderDrawColor(renderer, r, g, b, SDL_ALPHA_OPAQUE);
}

int CentredLeft(int areaLeft, int areaWidth, int itemWidth) {
  return areaLeft + (areaWidth - itemWidth) / 2;
}

}  // namespace

std::string VersionCaption() { return std::string("v") + kProgramVersion; }

SDL_Rect StartButtonRect() {
  return {CentredLeft(0, kLauncherWidth, kButtonWidth), kButtonTop, kButtonWidth, kButtonHeight};
}

bool StartButtonContains(int x, int y) {
  const SDL_Rect button = StartButtonRect();
  const SDL_Point point{x, y};
  return SDL_PointInRect(&point, &button) == SDL_TRUE;
}

void DrawLauncher(SDL_Renderer* renderer, bool buttonHighlighted) {
  SetColor(renderer, 0x16, 0x19, 0x20);
  SDL_RenderClear(renderer);

  SetColor(renderer, 0xF2, 0xC1, 0x2E);
  DrawText(renderer, CentredLeft(0, kLauncherWidth, TextWidth(kWindowTitle, kTitleScale)),
           kTitleTop, kTitleScale, kWindowTitle);

  const SDL_Rect button = StartButtonRect();
  if (buttonHighlighted) {
    SetColor(renderer, 0x3C, 0xA0, 0x46);
  } else {
    SetColor(renderer, 0x2A, 0x7D, 0x34);
  }
  SDL_RenderFillRect(renderer, &button);
  SetColor(renderer, 0xE8, 0xF5, 0xE9);
  SDL_RenderDrawRect(renderer, &button);
  const int textHeight = kGlyphSize * kButtonTextScale;
  DrawText(renderer,
           CentredLeft(button.x, button.w, TextWidth(kStartButtonCaption, kButtonTextScale)),
           button.y + (button.h - textHeight) / 2, kButtonTextScale, kStartButtonCaption);

  SetColor(renderer, 0x8A, 0x90, 0x9C);
  const std::string version = VersionCaption();
  DrawText(renderer, kLauncherWidth - kVersionMargin - TextWidth(version, 1),
           kLauncherHeight - kVersionMargin - kGlyphSize, 1, version);
  SDL_RenderPresent(renderer);
}

void DrawSplash(SDL_Renderer* renderer) {
  SDL_RenderSetLogicalSize(renderer, kGameSurfaceWidth, kGameSurfaceHeight);
  SetColor(renderer, 0, 0, 0);
  SDL_RenderClear(renderer);
  SetColor(renderer, 0xFF, 0xFF, 0xFF);
  const int textHeight = kGlyphSize * kSplashTextScale;
  DrawText(renderer, CentredLeft(0, kGameSurfaceWidth, TextWidth(kSplashCaption, kSplashTextScale)),
           (kGameSurfaceHeight - textHeight) / 2, kSplashTextScale, kSplashCaption);
  SDL_RenderPresent(renderer);
}

}  // namespace tvx
