#include "platform/sdl/LauncherView.h"

#include <algorithm>

namespace tvx {

namespace {

constexpr int kButtonWidth = 300;
constexpr int kButtonHeight = 64;
constexpr int kButtonTop = 280;
constexpr int kLogoTop = 62;
constexpr int kVersionMargin = 10;
// Where the backdrop's horizon lies in the launcher, so that the sun sits under the name.
constexpr double kBackdropHorizon = 0.55;
constexpr double kBackdropPictureHorizon = 236.0 / 480.0;
// The game's night colours: the button is a panel of the intro's sky with a pale rim, lit
// with the sunset's purple under the pointer.
constexpr SDL_Color kPage{0x0C, 0x0A, 0x2A, 0xFF};
constexpr SDL_Color kDim{0x00, 0x00, 0x00, 0x70};
constexpr SDL_Color kButton{0x24, 0x10, 0x3A, 0xFF};
constexpr SDL_Color kButtonLit{0x5A, 0x1F, 0x6A, 0xFF};
constexpr SDL_Color kButtonRim{0xF0, 0xE0, 0xFF, 0xFF};

void SetColor(SDL_Renderer* renderer, SDL_Color c) {
  SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
}

int CentredLeft(int areaLeft, int areaWidth, int itemWidth) {
  return areaLeft + (areaWidth - itemWidth) / 2;
}

SdlTexturePtr MakeTexture(SDL_Renderer* renderer, const LauncherPicture& picture) {
  if (picture.Empty() ||
      picture.argb.size() != static_cast<std::size_t>(picture.width) * picture.height) {
    return nullptr;
  }
  SdlTexturePtr texture(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STATIC, picture.width, picture.height));
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture.get(), nullptr, picture.argb.data(), picture.width * 4);
  SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
  // The window may show launcher pixels larger than they are: smooth, not blocky.
  SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeLinear);
  return texture;
}

int TextureWidth(SDL_Texture* texture) {
  int w = 0;
  SDL_QueryTexture(texture, nullptr, nullptr, &w, nullptr);
  return w;
}

int TextureHeight(SDL_Texture* texture) {
  int h = 0;
  SDL_QueryTexture(texture, nullptr, nullptr, nullptr, &h);
  return h;
}

}  // namespace

SDL_Rect StartButtonRect() {
  return {CentredLeft(0, kLauncherWidth, kButtonWidth), kButtonTop, kButtonWidth, kButtonHeight};
}

bool StartButtonContains(int x, int y) {
  const SDL_Rect button = StartButtonRect();
  const SDL_Point point{x, y};
  return SDL_PointInRect(&point, &button) == SDL_TRUE;
}

LauncherView::LauncherView(SDL_Renderer* renderer, const LauncherArt& art)
    : renderer_(renderer),
      backdrop_(MakeTexture(renderer, art.backdrop)),
      logo_(MakeTexture(renderer, art.logo)),
      buttonCaption_(MakeTexture(renderer, art.buttonCaption)),
      version_(MakeTexture(renderer, art.version)),
      splashCaption_(MakeTexture(renderer, art.splashCaption)) {}

void LauncherView::Place(SDL_Texture* texture, int x, int y) {
  if (texture == nullptr) return;
  const SDL_Rect target{x, y, TextureWidth(texture), TextureHeight(texture)};
  SDL_RenderCopy(renderer_, texture, nullptr, &target);
}

void LauncherView::DrawLauncher(bool buttonHighlighted) {
  SDL_RenderSetLogicalSize(renderer_, kLauncherWidth, kLauncherHeight);
  SetColor(renderer_, kPage);
  SDL_RenderClear(renderer_);
  if (backdrop_) {
    // Covers the launcher, the horizon at its place.
    const double scale =
        std::max(static_cast<double>(kLauncherWidth) / TextureWidth(backdrop_.get()),
                 static_cast<double>(kLauncherHeight) / TextureHeight(backdrop_.get()));
    const int w = static_cast<int>(TextureWidth(backdrop_.get()) * scale + 0.5);
    const int h = static_cast<int>(TextureHeight(backdrop_.get()) * scale + 0.5);
    const int top =
        static_cast<int>(kLauncherHeight * kBackdropHorizon - h * kBackdropPictureHorizon);
    const SDL_Rect target{CentredLeft(0, kLauncherWidth, w),
                          std::clamp(top, kLauncherHeight - h, 0), w, h};
    SDL_RenderCopy(renderer_, backdrop_.get(), nullptr, &target);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SetColor(renderer_, kDim);
    SDL_RenderFillRect(renderer_, nullptr);
  }
  if (logo_)
    Place(logo_.get(), CentredLeft(0, kLauncherWidth, TextureWidth(logo_.get())), kLogoTop);

  const SDL_Rect button = StartButtonRect();
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SetColor(renderer_, kButtonRim);
  SDL_RenderFillRect(renderer_, &button);
  const SDL_Rect inside{button.x + 2, button.y + 2, button.w - 4, button.h - 4};
  SetColor(renderer_, buttonHighlighted ? kButtonLit : kButton);
  SDL_RenderFillRect(renderer_, &inside);
  if (buttonCaption_) {
    SDL_Texture* caption = buttonCaption_.get();
    Place(caption, CentredLeft(button.x, button.w, TextureWidth(caption)),
          CentredLeft(button.y, button.h, TextureHeight(caption)));
  }
  if (version_) {
    Place(version_.get(), kLauncherWidth - kVersionMargin - TextureWidth(version_.get()),
          kLauncherHeight - kVersionMargin - TextureHeight(version_.get()));
  }
  SDL_RenderPresent(renderer_);
}

void LauncherView::DrawSplash() {
  SDL_RenderSetLogicalSize(renderer_, kGameSurfaceWidth, kGameSurfaceHeight);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(renderer_);
  if (splashCaption_) {
    SDL_Texture* caption = splashCaption_.get();
    Place(caption, CentredLeft(0, kGameSurfaceWidth, TextureWidth(caption)),
          CentredLeft(0, kGameSurfaceHeight, TextureHeight(caption)));
  }
  SDL_RenderPresent(renderer_);
}

}  // namespace tvx
