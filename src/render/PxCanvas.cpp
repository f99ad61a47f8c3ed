#include "render/PxCanvas.h"

#include <cmath>

#include "core/Numeric.h"
#include "render/PxImages.h"

namespace tvx {

namespace {

float Rounded(double value) { return static_cast<float>(RoundHalfEven(value)); }

FloatQuad Bounds(double x, double y, double w, double h) {
  return pBounds4(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                  static_cast<float>(h));
}

CanvasColor4 White() { return cColor4(ColorWhite); }

}  // namespace

TPxCanvas::TPxCanvas(TComponent* owner) : TPx2D(owner) {}

void TPxCanvas::FillRect(const gfx::Rect& rect, const CanvasColor4& colors, DrawEffect effect) {
  FillQuad(pRect4(rect), colors, effect);
}

void TPxCanvas::FillRectColor(const gfx::Rect& rect, CanvasColor color, DrawEffect effect) {
  FillRect(rect, cColor4(color), effect);
}

void TPxCanvas::FillBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                        CanvasColor color, DrawEffect effect) {
  FillRectColor(gfx::Rect{x, y, x + w, y + h}, color, effect);
}

void TPxCanvas::OutlineRect(const gfx::Rect& rect, const CanvasColor4& colors, DrawEffect effect) {
  OutlineQuad(pRect4(rect), colors, effect);
}

void TPxCanvas::OutlineRectColor(const gfx::Rect& rect, CanvasColor color, DrawEffect effect) {
  OutlineRect(rect, cColor4(color), effect);
}

void TPxCanvas::OutlineBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                           CanvasColor color, DrawEffect effect) {
  OutlineRectColor(gfx::Rect{x, y, x + w, y + h}, color, effect);
}

void TPxCanvas::FillOutlinedBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                CanvasColor outlineColor, CanvasColor fillColor,
                                DrawEffect effect) {
  FillBox(x, y, w, h, fillColor, effect);
  OutlineBox(x, y, w, h, outlineColor, effect);
}

void TPxCanvas::DrawPattern(TPxImage* image, std::int32_t pattern, const FloatQuad& quad,
                            const CanvasColor4& colors, bool mirror, bool flip, DrawEffect effect) {
  const PatternSelection selection{pattern,
                                   0,
                                   0,
                                   0,
                                   0,
                                   static_cast<std::uint8_t>(flip ? 1 : 0),
                                   static_cast<std::uint8_t>(mirror ? 1 : 0)};
  DrawPatternQuad(image, quad, colors, selection, effect);
}

void TPxCanvas::DrawImage(TPxImage* image, std::int32_t pattern, double x, double y,
                          DrawEffect effect) {
  DrawImageAlpha(image, pattern, x, y, 0xFF, effect);
}

void TPxCanvas::DrawImageScaled(TPxImage* image, std::int32_t pattern, double x, double y,
                                double scale, DrawEffect effect) {
  if (image == nullptr) return;
  const Point2i size = image->DrawSize();
  const FloatQuad quad = pBounds4(static_cast<float>(x), static_cast<float>(y),
                                  Rounded(size.x * scale), Rounded(size.y * scale));
  DrawPattern(image, pattern, quad, White(), false, false, effect);
}

void TPxCanvas::DrawImageAlpha(TPxImage* image, std::int32_t pattern, double x, double y,
                               std::uint8_t alpha, DrawEffect effect) {
  if (image == nullptr) return;
  const Point2i size = image->DrawSize();
  const CanvasColor tint = (CanvasColor{alpha} << 24) | 0xFFFFFFu;
  DrawPattern(image, pattern, Bounds(x, y, size.x, size.y), cColor4(tint), false, false, effect);
}

void TPxCanvas::DrawImageScaledEx(TPxImage* image, std::int32_t pattern, double x, double y,
                                  double scaleX, double scaleY, std::uint8_t centred, bool mirror,
                                  bool flip, const CanvasColor4& colors, DrawEffect effect) {
  if (image == nullptr) return;
  const Point2i size = image->DrawSize();
  const double w = size.x, h = size.y;
  FloatQuad quad{};
  if (centred == 0) {
    quad = pBounds4(static_cast<float>(x), static_cast<float>(y), Rounded(w * scaleX),
                    Rounded(h * scaleY));
  } else if (centred == 1) {
    if (scaleX == 1 && scaleY == 1) {
      quad = Bounds(x, y, w, h);
    } else {
      // The scaled pattern keeps the centre of the unscaled one.
      const double sw = w * scaleX, sh = h * scaleY;
      quad =
          pBounds4(static_cast<float>(x + RoundHalfEven((w - sw) * 0.5)),
                   static_cast<float>(y + RoundHalfEven((h - sh) * 0.5)), Rounded(sw), Rounded(sh));
    }
  } else {
    return;
  }
  DrawPattern(image, pattern, quad, colors, mirror, flip, effect);
}

void TPxCanvas::DrawImageRGBA(TPxImage* image, std::int32_t pattern, double x, double y,
                              double scaleX, double scaleY, std::uint8_t centred, bool mirror,
                              bool flip, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                              std::uint8_t alpha, DrawEffect effect) {
  const CanvasColor color = CanvasColor{red} | (CanvasColor{green} << 8) |
                            (CanvasColor{blue} << 16) | (CanvasColor{alpha} << 24);
  DrawImageScaledEx(image, pattern, x, y, scaleX, scaleY, centred, mirror, flip, cColor4(color),
                    effect);
}

void TPxCanvas::DrawImageCorners(TPxImage* image, std::int32_t pattern, double x, double y,
                                 double scaleX, double scaleY, std::uint8_t centred, bool mirror,
                                 bool flip, CanvasColor c1, CanvasColor c2, CanvasColor c3,
                                 CanvasColor c4, DrawEffect effect) {
  DrawImageScaledEx(image, pattern, x, y, scaleX, scaleY, centred, mirror, flip,
                    cColor4(c1, c2, c3, c4), effect);
}

void TPxCanvas::DrawImageToQuad(TPxImage* image, std::int32_t pattern, double x0, double y0,
                                double x1, double y1, double x2, double y2, double x3, double y3,
                                bool mirror, bool flip, const CanvasColor4& colors,
                                DrawEffect effect) {
  const FloatQuad quad{{{static_cast<float>(x0), static_cast<float>(y0)},
                        {static_cast<float>(x1), static_cast<float>(y1)},
                        {static_cast<float>(x2), static_cast<float>(y2)},
                        {static_cast<float>(x3), static_cast<float>(y3)}}};
  DrawPattern(image, pattern, quad, colors, mirror, flip, effect);
}

void TPxCanvas::DrawImageRotated(TPxImage* image, std::int32_t pattern, double x, double y,
                                 double angle, double scaleX, double scaleY, bool mirror, bool flip,
                                 const CanvasColor4& colors, DrawEffect effect) {
  if (image == nullptr) return;
  const Point2i size = image->DrawSize();
  const double halfW = size.x / 2.0, halfH = size.y / 2.0;
  const double corners[4][2] = {{-halfW, -halfH}, {halfW, -halfH}, {halfW, halfH}, {-halfW, halfH}};
  const double cosA = std::cos(angle), sinA = std::sin(angle);
  FloatQuad quad{};
  for (int i = 0; i < 4; ++i) {
    const double x1 = corners[i][0] * scaleX, y1 = corners[i][1] * scaleY;
    quad.p[i].x = static_cast<float>(x + (x1 * cosA - y1 * sinA));
    quad.p[i].y = static_cast<float>(y + (y1 * cosA + x1 * sinA));
  }
  DrawPattern(image, pattern, quad, colors, mirror, flip, effect);
}

}  // namespace tvx
