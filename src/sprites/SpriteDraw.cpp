// Drawing of TSprite through the engine's canvas: the visible-area test, the image lookup by
// name and the canvas operation chosen by DrawMode, at whole-pixel positions (exact ones
// while the sprite is drawn between ticks).
#include <charconv>

#include "core/Numeric.h"
#include "render/PxCanvas.h"
#include "render/PxImages.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace tvx {

namespace {

CanvasColor PackColor(std::int32_t red, std::int32_t green, std::int32_t blue, std::int32_t alpha) {
  const auto low = [](std::int32_t value) { return static_cast<CanvasColor>(value) & 0xFFu; };
  return low(red) | (low(green) << 8) | (low(blue) << 16) | (low(alpha) << 24);
}

// Whole pixels, truncated toward zero, handed on as floating-point values.
double PixelOf(float position, float offset, float shift, float world) {
  return Trunc(static_cast<double>(position) + offset + shift - world);
}

// A sprite drawn between ticks keeps its exact place.
double PlaceOf(float position, float tween, float offset, float shift, float world) {
  if (tween == 0.0f) return PixelOf(position, offset, shift, world);
  return static_cast<double>(position) + tween + offset + shift - world;
}

}  // namespace

bool TSprite::InDrawArea() const {
  const double worldX = engine_.WorldX, worldY = engine_.WorldY;
  return DrawBounds.left + worldX < X && DrawBounds.top + worldY < Y &&
         X < DrawBounds.right + worldX && Y < DrawBounds.bottom + worldY && Visible;
}

const std::string& TSprite::ResolvedImageName() {
  static const std::string noName;
  char digits[12];
  switch (ImageNaming) {
    case 0:
      numberedName_ = ImageName;
      numberedName_.append(digits, std::to_chars(digits, digits + sizeof digits, ImageNumber).ptr);
      return numberedName_;
    case 1:
      return ImageName;
    default:
      return noName;
  }
}

void TSprite::Draw() {
  if (!InDrawArea()) return;
  TPxCanvas* canvas = engine_.Canvas;
  if (canvas == nullptr || engine_.Images == nullptr) return;
  TPxImage* image = engine_.Images->FindImage(ResolvedImageName());
  // Without the image there is no pattern size to place the quad by, so nothing is drawn.
  if (image == nullptr) return;

  const float worldX = engine_.WorldX, worldY = engine_.WorldY;
  const double px = PlaceOf(X, TweenX, OffsetX, ShiftX, worldX);
  const double py = PlaceOf(Y, TweenY, OffsetY, ShiftY, worldY);
  const auto quadX = [&](int i) { return PixelOf(DrawQuad.p[i].x, OffsetX, ShiftX, worldX); };
  const auto quadY = [&](int i) { return PixelOf(DrawQuad.p[i].y, OffsetY, ShiftY, worldY); };
  const CanvasColor color = PackColor(Red, Green, Blue, Alpha);

  switch (DrawMode) {
    case 0:
      canvas->DrawImageRGBA(image, PatternIndex, px, py, ScaleX, ScaleY, Centred, Mirror, Flip,
                            static_cast<std::uint8_t>(Red), static_cast<std::uint8_t>(Green),
                            static_cast<std::uint8_t>(Blue), static_cast<std::uint8_t>(Alpha),
                            DrawEffect);
      break;
    case 1:
      canvas->DrawImageRotated(image, PatternIndex, px, py, Angle, ScaleX, ScaleY, Mirror, Flip,
                               cColor4(color), DrawEffect);
      break;
    case 2:
      canvas->DrawImageCorners(image, PatternIndex, px, py, ScaleX, ScaleY, Centred, Mirror, Flip,
                               CornerColors.c[0], CornerColors.c[1], CornerColors.c[2],
                               CornerColors.c[3], DrawEffect);
      break;
    case 3:
    case 4:
      canvas->DrawImageToQuad(image, PatternIndex, quadX(0), quadY(0), quadX(1), quadY(1), quadX(2),
                              quadY(2), quadX(3), quadY(3), Mirror, Flip,
                              DrawMode == 3 ? cColor4(color) : CornerColors, DrawEffect);
      break;
    default:
      break;
  }
}

}  // namespace tvx
