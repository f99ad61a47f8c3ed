#include "assetbuilder/contact_sheet.h"

#include <algorithm>

namespace tvx::assets {
namespace {

constexpr int SheetWidth = 2000, Margin = 8, LabelGap = 4;

struct Placement {
  const Pixmap* pixmap;
  int x, y;
};

void DrawPixmap(cairo_t* cr, const Pixmap& pixmap, int x, int y) {
  cairo_surface_t* surface = pixmap.ToSurface();
  cairo_set_source_surface(cr, surface, x, y);
  cairo_paint(cr);
  cairo_surface_destroy(surface);
}

int LabelWidth(const FontAsset& font, const std::string& text) {
  int width = 0;
  for (const char c : text) {
    const int code = static_cast<unsigned char>(c) - font.firstChar;
    if (code >= 0 && code < static_cast<int>(font.advances.size()))
      width += font.advances[code] + font.glyphSpacing;
  }
  return width;
}

void DrawLabel(cairo_t* cr, const FontAsset& font, const std::string& text, int x, int y) {
  for (const char c : text) {
    const int code = static_cast<unsigned char>(c) - font.firstChar;
    if (code < 0 || code >= static_cast<int>(font.advances.size())) continue;
    DrawPixmap(cr, font.glyphs.patterns[code], x, y);
    x += font.advances[code] + font.glyphSpacing;
  }
}

}  // namespace

bool WriteContactSheet(const std::vector<ImageAsset>& images, const FontAsset& labelFont,
                       const std::string& path) {
  const int labelHeight = labelFont.glyphs.drawHeight;
  std::vector<Placement> placements;
  std::vector<std::pair<const ImageAsset*, std::pair<int, int>>> labels;
  int x = Margin, y = Margin, rowHeight = 0;
  for (const ImageAsset& image : images) {
    int labelEnd = 0;  // a narrow picture's label must not run into the next one's
    // A picture's patterns start a new row rather than break over two, where one row holds them.
    const int strip = static_cast<int>(image.patterns.size()) * (image.drawWidth + 2);
    const bool keepTogether = x + strip + Margin > SheetWidth && strip + 2 * Margin <= SheetWidth;
    for (std::size_t p = 0; p < image.patterns.size(); ++p) {
      const int blockHeight = labelHeight + LabelGap + image.drawHeight;
      const bool full = x + image.drawWidth + Margin > SheetWidth || (p == 0 && keepTogether);
      if (full && x > Margin) {
        x = Margin;
        y += rowHeight + Margin;
        rowHeight = 0;
      }
      if (p == 0) {
        labels.push_back({&image, {x, y}});
        labelEnd = x + LabelWidth(labelFont, image.key);
      }
      placements.push_back({&image.patterns[p], x, y + labelHeight + LabelGap});
      x += image.drawWidth + 2;
      rowHeight = std::max(rowHeight, blockHeight);
    }
    x = std::max(x, labelEnd) + Margin * 2;
  }
  const int height = y + rowHeight + Margin;

  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, SheetWidth, height);
  cairo_t* cr = cairo_create(sheet);
  for (int cy = 0; cy < height; cy += 16) {
    for (int cx = 0; cx < SheetWidth; cx += 16) {
      const double shade = ((cx / 16 + cy / 16) % 2 == 0) ? 0.16 : 0.22;
      cairo_set_source_rgb(cr, shade, shade, shade);
      cairo_rectangle(cr, cx, cy, 16, 16);
      cairo_fill(cr);
    }
  }
  for (const Placement& placement : placements)
    DrawPixmap(cr, *placement.pixmap, placement.x, placement.y);
  for (const auto& [image, at] : labels) DrawLabel(cr, labelFont, image->key, at.first, at.second);
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  return ok;
}

}  // namespace tvx::assets
