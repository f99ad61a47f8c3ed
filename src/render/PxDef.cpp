#include "render/PxDef.h"

namespace tvx {

CanvasColor4 cColor4(CanvasColor color) { return CanvasColor4{{color, color, color, color}}; }

CanvasColor4 cColor4(CanvasColor c1, CanvasColor c2, CanvasColor c3, CanvasColor c4) {
  return CanvasColor4{{c1, c2, c3, c4}};
}

FloatQuad pBounds4(float x, float y, float w, float h) {
  return FloatQuad{{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}};
}

FloatQuad pRect4(const gfx::Rect& r) {
  const auto left = static_cast<float>(r.left);
  const auto top = static_cast<float>(r.top);
  const auto right = static_cast<float>(r.right);
  const auto bottom = static_cast<float>(r.bottom);
  return FloatQuad{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
}

std::uint32_t DeviceColor(CanvasColor c) {
  return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

}  // namespace tvx
