// Shared value types of the rendering subsystem: canvas colours (0xAABBGGRR, alpha 255 is
// opaque), float points and quads in screen pixels (corners top-left, top-right,
// bottom-right, bottom-left), pattern selections, blend codes, per-image preferences and the
// numbered notifications the device sends to its subscribers.
#pragma once

#include <cstdint>

#include "platform/GraphicsApi.h"

namespace tvx {

using CanvasColor = std::uint32_t;  // 0xAABBGGRR

// Corner colours in quad order: top-left, top-right, bottom-right, bottom-left.
struct CanvasColor4 {
  CanvasColor c[4];
};

CanvasColor4 cColor4(CanvasColor color);
CanvasColor4 cColor4(CanvasColor c1, CanvasColor c2, CanvasColor c3, CanvasColor c4);
constexpr CanvasColor ColorWhite = 0xFFFFFFFF;

struct FloatPoint {
  float x, y;
};

// Corners in the same order as CanvasColor4.
struct FloatQuad {
  FloatPoint p[4];
};

// The quad (x,y), (x+w,y), (x+w,y+h), (x,y+h).
FloatQuad pBounds4(float x, float y, float w, float h);
// The quad (left,top), (right,top), (right,bottom), (left,bottom).
FloatQuad pRect4(const gfx::Rect& r);

struct Point2i {
  std::int32_t x, y;
};

// Which part of an image is drawn: a pattern, a source rectangle inside its drawn area
// (width or height below 1 = the whole drawn size) and flip (top/bottom) and mirror
// (left/right) flags.
struct PatternSelection {
  std::int32_t pattern, x, y, width, height;
  std::uint8_t flip, mirror;
};

// Blend code: byte 0 source factor index, byte 1 destination factor index, byte 2 blend
// operation index; 0x7FFFFFF0..0x7FFFFFF6 select fixed texture-stage setups; -1 is reserved.
using DrawEffect = std::int32_t;
constexpr DrawEffect EffectOpaque = 0x1, EffectAdditive = 0x104, EffectAlphaBlend = 0x504;
constexpr DrawEffect EffectNone = -1;

enum class TPxQuality : std::uint8_t { pqLow, pqMedium, pqHigh };
enum class TAlphaLevel : std::uint8_t { alNone, alMask, alFull, alExclusive };

constexpr std::int32_t NotifyInitialize = 256, NotifyFinalize = 257, NotifyLost = 258,
                       NotifyRestored = 259, NotifyBeginScene = 260, NotifyEndScene = 261,
                       NotifyFlush = 513;

// The device wants 0xAARRGGBB: exchanges bytes 0 and 2.
std::uint32_t DeviceColor(CanvasColor c);

}  // namespace tvx
