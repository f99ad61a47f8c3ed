#include "assetbuilder/font_catalogue.h"

#include <string>

namespace tvx::assets {
namespace {

std::string DejaVu(const char* file) { return std::string(TVX_DEJAVU_DIR) + "/" + file; }

}  // namespace

std::vector<FontSpec> FontSpecs() {
  std::vector<FontSpec> styles(5);
  styles[0] = {"font0_small", DejaVu("DejaVuSans-Bold.ttf"), 14, 1, 1, 1, 0, {}};
  styles[1] = {"font1_loading", DejaVu("DejaVuSans-BoldOblique.ttf"), 22, 2, 2, 2, 1, {}};
  styles[2] = {"font2_title", DejaVu("DejaVuSans-BoldOblique.ttf"), 60, 3, 3, 4, 0, {}};
  styles[3] = {"font3_prompt", DejaVu("DejaVuSansCondensed-Bold.ttf"), 19, 2, 1, 2, 0, {}};
  styles[4] = {"font4_hud", DejaVu("DejaVuSansCondensed-Bold.ttf"), 15, 0, 1, 1, 0, 3};
  return styles;
}

std::vector<FontAsset> BuildFonts() {
  std::vector<FontAsset> fonts;
  for (const FontSpec& style : FontSpecs()) {
    std::optional<FontAsset> font = BakeFont(style);
    if (!font) return {};
    fonts.push_back(std::move(*font));
  }
  return fonts;
}

}  // namespace tvx::assets
