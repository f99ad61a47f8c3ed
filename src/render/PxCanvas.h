// The canvas the game and the sprite engine draw with: rectangles, outlined panels and image
// patterns placed, scaled, tinted, rotated or mapped onto four points, all ending in the
// batching primitives of TPx2D. Every image operation draws through DrawPatternQuad with
// the selection (pattern, 0, 0, 0, 0, flip, mirror); sizes come from the image's DrawSize.
#pragma once

#include <cstdint>

#include "render/Px2D.h"

namespace tvx {

class TPxImage;

class TPxCanvas : public TPx2D {
 public:
  explicit TPxCanvas(TComponent* owner);

  void FillRect(const gfx::Rect& rect, const CanvasColor4& colors, DrawEffect effect);
  void FillRectColor(const gfx::Rect& rect, CanvasColor color, DrawEffect effect);
  void FillBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, CanvasColor color,
               DrawEffect effect);
  void OutlineRect(const gfx::Rect& rect, const CanvasColor4& colors, DrawEffect effect);
  void OutlineRectColor(const gfx::Rect& rect, CanvasColor color, DrawEffect effect);
  void OutlineBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, CanvasColor color,
                  DrawEffect effect);
  void FillOutlinedBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                       CanvasColor outlineColor, CanvasColor fillColor, DrawEffect effect);

  void DrawImage(TPxImage* image, std::int32_t pattern, double x, double y, DrawEffect effect);
  void DrawImageScaled(TPxImage* image, std::int32_t pattern, double x, double y, double scale,
                       DrawEffect effect);
  void DrawImageAlpha(TPxImage* image, std::int32_t pattern, double x, double y, std::uint8_t alpha,
                      DrawEffect effect);
  // Centred 0: top-left at (x, y); 1: the scaled pattern keeps the centre of the unscaled
  // one; any other value draws nothing.
  void DrawImageScaledEx(TPxImage* image, std::int32_t pattern, double x, double y, double scaleX,
                         double scaleY, std::uint8_t centred, bool mirror, bool flip,
                         const CanvasColor4& colors, DrawEffect effect);
  void DrawImageRGBA(TPxImage* image, std::int32_t pattern, double x, double y, double scaleX,
                     double scaleY, std::uint8_t centred, bool mirror, bool flip, std::uint8_t red,
                     std::uint8_t green, std::uint8_t blue, std::uint8_t alpha, DrawEffect effect);
  void DrawImageCorners(TPxImage* image, std::int32_t pattern, double x, double y, double scaleX,
                        double scaleY, std::uint8_t centred, bool mirror, bool flip, CanvasColor c1,
                        CanvasColor c2, CanvasColor c3, CanvasColor c4, DrawEffect effect);
  void DrawImageToQuad(TPxImage* image, std::int32_t pattern, double x0, double y0, double x1,
                       double y1, double x2, double y2, double x3, double y3, bool mirror,
                       bool flip, const CanvasColor4& colors, DrawEffect effect);
  // (x, y) is the centre; angle in radians, positive turns clockwise on screen.
  void DrawImageRotated(TPxImage* image, std::int32_t pattern, double x, double y, double angle,
                        double scaleX, double scaleY, bool mirror, bool flip,
                        const CanvasColor4& colors, DrawEffect effect);

 private:
  void DrawPattern(TPxImage* image, std::int32_t pattern, const FloatQuad& quad,
                   const CanvasColor4& colors, bool mirror, bool flip, DrawEffect effect);
};

}  // namespace tvx
