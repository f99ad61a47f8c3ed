#include <gtest/gtest.h>

#include <string_view>

#include "platform/sdl/LauncherFont.h"
#include "platform/sdl/LauncherView.h"

namespace tvx {
namespace {

TEST(LauncherFontTest, HasAGlyphForEveryCharacterTheWindowShows) {
  const std::string version = VersionCaption();
  for (std::string_view text :
       {std::string_view(kWindowTitle), std::string_view(kStartButtonCaption),
        std::string_view(kSplashCaption), std::string_view(version)}) {
    for (char c : text) {
      const Glyph* glyph = LauncherGlyph(c);
      ASSERT_NE(glyph, nullptr) << "'" << c << "' in " << text;
      if (c == ' ') continue;
      bool inked = false;
      for (std::uint8_t row : *glyph) inked = inked || row != 0;
      EXPECT_TRUE(inked) << "'" << c << "' would draw blank";
    }
  }
  EXPECT_EQ(LauncherGlyph('#'), nullptr);
}

TEST(LauncherFontTest, GlyphsDifferFromEachOther) {
  const std::string_view shown = "ADGILNOSTaemrtvx.0123456789";
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      EXPECT_NE(*LauncherGlyph(shown[i]), *LauncherGlyph(shown[j])) << shown[i] << shown[j];
    }
  }
}

TEST(LauncherViewTest, TheButtonLiesInsideTheLauncherAndItsCaptionInsideIt) {
  const SDL_Rect button = StartButtonRect();
  EXPECT_GE(button.x, 0);
  EXPECT_LE(button.x + button.w, kLauncherWidth);
  EXPECT_LE(button.y + button.h, kLauncherHeight);
  EXPECT_LT(TextWidth(kStartButtonCaption, 3), button.w);
  EXPECT_TRUE(StartButtonContains(button.x, button.y));
  EXPECT_TRUE(StartButtonContains(button.x + button.w - 1, button.y + button.h - 1));
  EXPECT_FALSE(StartButtonContains(button.x + button.w, button.y));
  EXPECT_FALSE(StartButtonContains(button.x, button.y - 1));
  EXPECT_FALSE(StartButtonContains(0, 0));
}

}  // namespace
}  // namespace tvx
