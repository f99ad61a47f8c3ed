// The fonts' metrics against the places the screens put their texts: each text, drawn by its
// top-left corner as the font list draws it, must stay inside its panel or the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assetbuilder/font_catalogue.h"
#include "pixel_checks.h"

namespace tvx::assets {
namespace {

constexpr int InkThreshold = 16;

struct Extent {
  int left, right, top, bottom;
};

class FontFit : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fonts = new std::vector<FontAsset>(BuildFonts()); }
  static void TearDownTestSuite() { delete fonts; }

  // The inked pixels of `text` drawn at (x, y): glyph k at trunc(pen), pen advancing by the
  // glyph's advance plus the spacing.
  static Extent Ink(int font, const std::string& text, double x, double y) {
    const FontAsset& f = (*fonts)[font];
    Extent extent{1 << 20, -(1 << 20), 1 << 20, -(1 << 20)};
    double pen = x;
    for (const char c : text) {
      const int code = static_cast<unsigned char>(c) - f.firstChar;
      const testing::Box box = testing::AlphaBox(f.glyphs.patterns[code], InkThreshold);
      const int left = static_cast<int>(std::trunc(pen)), top = static_cast<int>(std::trunc(y));
      if (box.right > box.left) {
        extent.left = std::min(extent.left, left + box.left);
        extent.right = std::max(extent.right, left + box.right);
        extent.top = std::min(extent.top, top + box.top);
        extent.bottom = std::max(extent.bottom, top + box.bottom);
      }
      pen += f.advances[code] + f.glyphSpacing;
    }
    return extent;
  }

  static std::vector<FontAsset>* fonts;
};

std::vector<FontAsset>* FontFit::fonts = nullptr;

TEST_F(FontFit, FiveFontsOfPrintableAsciiWithOneCellEach) {
  ASSERT_EQ(fonts->size(), 5u);
  for (const FontAsset& font : *fonts) {
    EXPECT_EQ(font.firstChar, 32);
    EXPECT_EQ(font.advances.size(), 95u) << font.key;
    EXPECT_EQ(font.glyphs.patterns.size(), 95u) << font.key;
    for (const Pixmap& glyph : font.glyphs.patterns) {
      EXPECT_EQ(glyph.width, font.glyphs.drawWidth);
      EXPECT_EQ(glyph.height, font.glyphs.drawHeight);
    }
    // Glyphs are white (the game tints them), outlined in black.
    const Pixmap& a = font.glyphs.patterns['A' - 32];
    int brightest = 0;
    for (int y = 0; y < a.height; ++y) {
      for (int x = 0; x < a.width; ++x) brightest = std::max<int>(brightest, a.Pixel(x, y)[2]);
    }
    EXPECT_EQ(brightest, 255) << font.key;
  }
}

TEST_F(FontFit, SmallFontFitsTheRankingColumn) {
  const Extent row = Ink(0, "99999 ABCDEF", 470, 190);
  EXPECT_GE(row.left, 470);
  EXPECT_LE(row.right - 470, 170);
  EXPECT_LE(row.bottom - row.top, 30) << "rows are 30 pixels apart";
  EXPECT_LE(Ink(0, "99999 ABCDEF", 470, 190 + 30 * 9).bottom, 480);
}

TEST_F(FontFit, LoadingTextStaysOnScreen) {
  const Extent loading = Ink(1, "LOADING . . .", 340, 440);
  EXPECT_LE(loading.right, 640);
  EXPECT_LE(loading.bottom, 480);
}

TEST_F(FontFit, TitlesFitTheirBandsAndTheScreen) {
  const Extent title = Ink(2, "TARVEX", 65, 100);
  EXPECT_GE(title.left, 50);
  EXPECT_LE(title.right, 579);
  EXPECT_LE(title.bottom, 202) << "the title band ends at y 202";
  EXPECT_LE(Ink(2, "LEVEL 020", 160, 200).right, 579);
  EXPECT_LE(Ink(2, "GAME OVER", 80, 100).right, 640);
  EXPECT_LE(Ink(2, "RANKING", 60, 80).right, 640);
  EXPECT_LE(Ink(2, "YOU WIN!", 75, 200).right, 640);
}

TEST_F(FontFit, PromptsFitTheScreenWidth) {
  EXPECT_LE(Ink(3, "Press ESC to return or ENTER to view ranking", 90, 300).right, 640);
  EXPECT_LE(Ink(3, "CTRL/Car Select - ENTER/Game Start", 135, 300).right, 640);
  EXPECT_LE(Ink(3, "Type your name or Press ESC to return", 20, 450).right, 640);
  EXPECT_LE(Ink(3, "Type your name or Press ESC to return", 20, 450).bottom, 480);
}

TEST_F(FontFit, HudTextsFitTheirPanel) {
  const int panelRight = 530 + 95;
  EXPECT_LE(Ink(4, std::string(30, '|'), 530, 50).right, panelRight);
  EXPECT_LE(Ink(4, "Damage: ", 530, 80).right, panelRight);
  EXPECT_LE(Ink(4, "PTS 99999", 530, 200).right, panelRight);
  EXPECT_LE(Ink(4, "Mph 120", 530, 170).right, panelRight);
  EXPECT_LE(Ink(4, "Time: ", 530, 20).bottom - 20, 30) << "HUD lines are 30 pixels apart";
}

}  // namespace
}  // namespace tvx::assets
