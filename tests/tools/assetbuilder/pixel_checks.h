// Small measurements on generated pictures, shared by the asset tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "assetbuilder/image_asset.h"

namespace tvx::assets::testing {

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive; empty when right <= left
};

// Bounding box of the pixels whose alpha is at least `threshold`.
inline Box AlphaBox(const Pixmap& p, int threshold) {
  Box box{p.width, p.height, 0, 0};
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      if (p.Alpha(x, y) < threshold) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

inline double Luminance(const std::uint8_t* bgra) {
  return 0.0722 * bgra[0] + 0.7152 * bgra[1] + 0.2126 * bgra[2];
}

inline double MeanRowDifference(const Pixmap& p, int rowA, int rowB) {
  double sum = 0;
  for (int x = 0; x < p.width; ++x) {
    for (int c = 0; c < 4; ++c) sum += std::abs(p.Pixel(x, rowA)[c] - p.Pixel(x, rowB)[c]);
  }
  return sum / (p.width * 4.0);
}

inline const ImageAsset* Find(const std::vector<ImageAsset>& images, const std::string& key) {
  for (const ImageAsset& image : images) {
    if (image.key == key) return &image;
  }
  return nullptr;
}

}  // namespace tvx::assets::testing
