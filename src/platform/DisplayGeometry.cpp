#include "platform/DisplayGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tvx {

namespace {

PixelRect Centred(int width, int height, int areaWidth, int areaHeight) {
  return {(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}

}  // namespace

int WholeMultipleThatFits(int sourceWidth, int sourceHeight, int areaWidth, int areaHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0) return 1;
  return std::max(1, std::min(areaWidth / sourceWidth, areaHeight / sourceHeight));
}

double DesktopScale(int width, int height, int desktopWidth, int desktopHeight) {
  constexpr double kSteps = 4.0;
  if (width <= 0 || height <= 0 || desktopWidth <= 0 || desktopHeight <= 0) return 1.0;
  const double grown = std::min(desktopWidth / 1920.0, desktopHeight / 1080.0);
  const double fits = std::min(static_cast<double>(desktopWidth) / width,
                               static_cast<double>(desktopHeight) / height);
  return std::max(1.0, std::floor(std::min(grown, fits) * kSteps) / kSteps);
}

PixelRect PresentationRect(int sourceWidth, int sourceHeight, int areaWidth, int areaHeight,
                           ScaleMode mode) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  // 64-bit products: a desktop wider than 46340 pixels would overflow int.
  std::int64_t width = areaWidth;
  std::int64_t height = width * sourceHeight / sourceWidth;
  if (height > areaHeight) {
    height = areaHeight;
    width = height * sourceWidth / sourceHeight;
  }
  const PixelRect fit =
      Centred(static_cast<int>(width), static_cast<int>(height), areaWidth, areaHeight);
  if (mode != ScaleMode::Integer || areaWidth < sourceWidth || areaHeight < sourceHeight)
    return fit;
  const int factor = WholeMultipleThatFits(sourceWidth, sourceHeight, areaWidth, areaHeight);
  const std::int64_t wholeWidth = std::int64_t{sourceWidth} * factor;
  const std::int64_t wholeHeight = std::int64_t{sourceHeight} * factor;
  // Sharp pixels are not worth a picture a third smaller than the screen allows (640 x 480
  // at 1x on a 1280 x 800 handheld, with 11-pixel text): that falls back to fitting.
  if (3 * wholeWidth * wholeHeight < 2 * width * height) return fit;
  return Centred(static_cast<int>(wholeWidth), static_cast<int>(wholeHeight), areaWidth,
                 areaHeight);
}

}  // namespace tvx
