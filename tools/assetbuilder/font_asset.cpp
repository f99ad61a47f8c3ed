#include "assetbuilder/font_asset.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>

#include "render/PxFontRecord.h"

namespace tvx::assets {
namespace {

constexpr float ShadowOpacity = 0.6f;

struct GlyphBitmap {
  int left = 0, top = 0, width = 0, rows = 0;
  int advance = 0;
  std::vector<std::uint8_t> coverage;  // width * rows
};

struct FreeTypeLibrary {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeLibrary() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }
};

bool RasteriseGlyphs(const FontSpec& style, std::vector<GlyphBitmap>& glyphs) {
  FreeTypeLibrary ft;
  if (FT_Init_FreeType(&ft.library) != 0) return false;
  if (FT_New_Face(ft.library, style.fontFile.c_str(), 0, &ft.face) != 0) return false;
  if (FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(style.pixelSize)) != 0) return false;
  for (int c = FontFirstChar; c <= FontLastChar; ++c) {
    if (FT_Load_Char(ft.face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot slot = ft.face->glyph;
    GlyphBitmap g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
    for (int y = 0; y < g.rows; ++y) {
      const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
      std::copy(row, row + g.width, g.coverage.begin() + static_cast<std::ptrdiff_t>(y) * g.width);
    }
    glyphs.push_back(std::move(g));
  }
  return true;
}

// Coverage of a grey mask grown by a soft disc of the given radius.
std::vector<float> Dilate(const std::vector<float>& mask, int w, int h, int radius) {
  if (radius <= 0) return mask;
  std::vector<float> out(mask.size(), 0.0f);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      float best = 0.0f;
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          const int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
          const float weight = std::clamp(
              radius + 0.5f - std::sqrt(static_cast<float>(dx * dx + dy * dy)), 0.0f, 1.0f);
          best = std::max(best, mask[static_cast<std::size_t>(sy) * w + sx] * weight);
        }
      }
      out[static_cast<std::size_t>(y) * w + x] = best;
    }
  }
  return out;
}

// White glyph over its black outline over a shifted soft shadow, in straight alpha.
Pixmap ComposeGlyph(const GlyphBitmap& g, const FontSpec& style, int originX, int baseline, int w,
                    int h) {
  std::vector<float> glyph(static_cast<std::size_t>(w) * h, 0.0f);
  for (int y = 0; y < g.rows; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const int cx = originX + g.left + x, cy = baseline - g.top + y;
      if (cx < 0 || cy < 0 || cx >= w || cy >= h) continue;
      glyph[static_cast<std::size_t>(cy) * w + cx] =
          g.coverage[static_cast<std::size_t>(y) * g.width + x] / 255.0f;
    }
  }
  const std::vector<float> outline = Dilate(glyph, w, h, style.outlineRadius);
  Pixmap out(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int sx = x - style.shadowX, sy = y - style.shadowY;
      const bool inside = sx >= 0 && sy >= 0 && sx < w && sy < h;
      const float shadow =
          inside ? outline[static_cast<std::size_t>(sy) * w + sx] * ShadowOpacity : 0.0f;
      const std::size_t i = static_cast<std::size_t>(y) * w + x;
      float alpha = shadow;
      alpha = outline[i] + alpha * (1.0f - outline[i]);
      const float white = glyph[i];  // premultiplied white on black layers
      alpha = white + alpha * (1.0f - white);
      if (alpha <= 0.0f) continue;
      const auto grey =
          static_cast<std::uint8_t>(std::lround(255.0f * std::min(1.0f, white / alpha)));
      std::uint8_t* p = out.Pixel(x, y);
      p[0] = p[1] = p[2] = grey;
      p[3] = static_cast<std::uint8_t>(std::lround(255.0f * alpha));
    }
  }
  return out;
}

}  // namespace

std::optional<FontAsset> BakeFont(const FontSpec& style) {
  std::vector<GlyphBitmap> glyphs;
  if (!RasteriseGlyphs(style, glyphs)) return std::nullopt;

  int minLeft = 0, maxRight = 0, ascent = 0, descent = 0;
  for (const GlyphBitmap& g : glyphs) {
    if (g.width == 0 || g.rows == 0) continue;
    minLeft = std::min(minLeft, g.left);
    maxRight = std::max(maxRight, g.left + g.width);
    ascent = std::max(ascent, g.top);
    descent = std::max(descent, g.rows - g.top);
  }
  const int r = style.outlineRadius;
  const int originX = r + std::max(0, -style.shadowX) - minLeft;
  const int baseline = r + std::max(0, -style.shadowY) + ascent;
  const int width = originX + maxRight + r + std::max(0, style.shadowX);
  const int height = baseline + descent + r + std::max(0, style.shadowY);

  FontAsset font;
  font.key = style.key;
  font.glyphSpacing = style.glyphSpacing;
  font.glyphs.key = style.key;
  font.glyphs.drawWidth = width;
  font.glyphs.drawHeight = height;
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    const bool isBar = FontFirstChar + static_cast<int>(k) == '|';
    font.advances.push_back(isBar && style.barAdvance ? *style.barAdvance : glyphs[k].advance);
    font.glyphs.patterns.push_back(
        ComposeGlyph(glyphs[k], style, originX, baseline, width, height));
  }
  return font;
}

std::vector<std::uint8_t> EncodeFontRecord(const FontAsset& font) {
  std::vector<std::uint8_t> out;
  WriteFontRecordHeader({static_cast<std::uint32_t>(font.firstChar), font.glyphSpacing, 0,
                         static_cast<std::int32_t>(font.advances.size())},
                        out);
  for (const std::int32_t advance : font.advances) WriteFontGlyphEntry(advance, out);
  const std::vector<std::uint8_t> picture = EncodeImageRecord(font.glyphs);
  out.insert(out.end(), picture.begin(), picture.end());
  return out;
}

}  // namespace tvx::assets
