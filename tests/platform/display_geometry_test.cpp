// The picture's place on a screen or window for both scale modes, the window's whole
// multiple, and the scale mode's spelling.
#include <gtest/gtest.h>

#include <utility>

#include "platform/DisplayGeometry.h"

namespace tvx {
namespace {

TEST(DisplayGeometry, FitFillsOneSideAndIntegerTakesTheLargestWholeMultiple) {
  EXPECT_EQ(PresentationRect(640, 480, 1920, 1080, ScaleMode::Fit),
            (PixelRect{240, 0, 1440, 1080}));
  EXPECT_EQ(PresentationRect(640, 480, 1920, 1080, ScaleMode::Integer),
            (PixelRect{320, 60, 1280, 960}));
  EXPECT_EQ(PresentationRect(640, 480, 1024, 768, ScaleMode::Fit), (PixelRect{0, 0, 1024, 768}));
  EXPECT_EQ(PresentationRect(640, 480, 1280, 1024, ScaleMode::Integer),
            (PixelRect{0, 32, 1280, 960}));
  EXPECT_EQ(PresentationRect(640, 480, 640, 1000, ScaleMode::Fit), (PixelRect{0, 260, 640, 480}));
  EXPECT_EQ(PresentationRect(640, 480, 2560, 1920, ScaleMode::Integer),
            (PixelRect{0, 0, 2560, 1920}));
}

TEST(DisplayGeometry, IntegerFitsWhereAWholeMultipleWouldLoseAThirdOfThePicture) {
  // 1x on a handheld's 1280 x 800 or on 1024 x 768 is less than two thirds of the fit.
  for (const auto& [w, h] : {std::pair{1280, 800}, {1024, 768}, {1600, 900}}) {
    EXPECT_EQ(PresentationRect(640, 480, w, h, ScaleMode::Integer),
              PresentationRect(640, 480, w, h, ScaleMode::Fit))
        << w << "x" << h;
  }
  // 4x on 3840 x 2160 is 79% of the fit: sharp pixels win.
  EXPECT_EQ(PresentationRect(640, 480, 3840, 2160, ScaleMode::Integer),
            (PixelRect{640, 120, 2560, 1920}));
}

TEST(DisplayGeometry, IntegerInAnAreaSmallerThanThePictureFitsAndEmptyAreasShowNothing) {
  EXPECT_EQ(PresentationRect(640, 480, 600, 400, ScaleMode::Integer),
            PresentationRect(640, 480, 600, 400, ScaleMode::Fit));
  EXPECT_EQ(PresentationRect(640, 480, 600, 400, ScaleMode::Fit), (PixelRect{33, 0, 533, 400}));
  EXPECT_EQ(PresentationRect(640, 480, 0, 400, ScaleMode::Fit), PixelRect{});
  EXPECT_EQ(PresentationRect(640, 480, -5, -5, ScaleMode::Integer), PixelRect{});
  EXPECT_EQ(PresentationRect(0, 480, 800, 600, ScaleMode::Fit), PixelRect{});
  // A very wide desktop must not overflow the arithmetic.
  EXPECT_EQ(PresentationRect(640, 480, 100000, 75000, ScaleMode::Fit),
            (PixelRect{0, 0, 100000, 75000}));
}

TEST(DisplayGeometry, TheLauncherGrowsWithLargeDesktopsButNeverLeavesThem) {
  EXPECT_EQ(DesktopScale(759, 453, 1024, 768), 1.0);
  EXPECT_EQ(DesktopScale(759, 453, 1920, 1080), 1.0);
  EXPECT_EQ(DesktopScale(759, 453, 2560, 1440), 1.25);
  EXPECT_EQ(DesktopScale(759, 453, 3840, 2160), 2.0);
  EXPECT_EQ(DesktopScale(759, 453, 7680, 4320), 4.0);
  EXPECT_EQ(DesktopScale(759, 453, 3840, 800), 1.0);  // a wide strip: the height decides
  EXPECT_EQ(DesktopScale(759, 453, 640, 480), 1.0);   // smaller than the window: as it is
  EXPECT_EQ(DesktopScale(759, 453, 0, 0), 1.0);
}

TEST(DisplayGeometry, TheWindowIsTheLargestWholeMultipleThatFitsAndAtLeastOne) {
  EXPECT_EQ(WholeMultipleThatFits(640, 480, 1920, 1080 - 30), 2);
  EXPECT_EQ(WholeMultipleThatFits(640, 480, 3840, 2160), 4);
  EXPECT_EQ(WholeMultipleThatFits(640, 480, 1279, 2000), 1);
  EXPECT_EQ(WholeMultipleThatFits(640, 480, 300, 200), 1);
  EXPECT_EQ(WholeMultipleThatFits(640, 480, -1, 0), 1);
}

TEST(DisplayOptions, ScaleModesAreSpelledFitAndIntegerOnly) {
  for (ScaleMode mode : {ScaleMode::Fit, ScaleMode::Integer}) {
    EXPECT_EQ(ScaleModeFromName(ScaleModeName(mode)), mode);
  }
  for (const char* word : {"", "Fit", "INTEGER", "integer ", "2", "fitx"}) {
    EXPECT_EQ(ScaleModeFromName(word), std::nullopt) << word;
  }
  const DisplayOptions defaults;
  EXPECT_TRUE(defaults.fullscreen);
  EXPECT_EQ(defaults.scale, ScaleMode::Fit);
  EXPECT_TRUE(defaults.pauseOnFocusLoss);
  EXPECT_TRUE(defaults.smoothMotion);
}

}  // namespace
}  // namespace tvx
