// Every screen drawn by the OpenGL backend from the game's own archive: panels and the HUD
// box at their places and colours, text where it belongs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/TempFolder.h"
#include "harness/GameHarness.h"
#include "harness/ScreenTour.h"
#include "harness/TestArchive.h"
#include "platform/gl/GlGraphicsApi.h"

namespace tvx::testing {
namespace {

struct Picture {
  std::vector<std::uint32_t> pixels;  // 640 x 480, 0xAARRGGBB
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * 640 + x]; }
};
int Red(std::uint32_t p) { return (p >> 16) & 0xFF; }
int Green(std::uint32_t p) { return (p >> 8) & 0xFF; }
int Blue(std::uint32_t p) { return p & 0xFF; }
// Text is white at its top and shades into its bottom colour: a lit pixel has one channel
// near full.
bool Lit(std::uint32_t p) { return std::max({Red(p), Green(p), Blue(p)}) > 200; }
bool Black(std::uint32_t p) { return (p & 0xFFFFFF) == 0; }

// How many pixels of the box (x, y, w, h) pass `test`.
int Count(const Picture& picture, int x, int y, int w, int h,
          const std::function<bool(std::uint32_t)>& test) {
  int n = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) n += test(picture.At(i, j)) ? 1 : 0;
  return n;
}

class Screens : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    graphics_ = GlGraphicsApi::CreateWithOwnWindow(640, 480, error).release();
    ASSERT_NE(graphics_, nullptr) << error;
    graphics_->KeepTargetOffscreen();  // the pictures are read after the game presents them
    TempFolder folder;
    std::filesystem::copy_file(TARVEX_ARCHIVE, folder.Path() + "resources.tvx");
    GameHarness game(*graphics_, folder.Path());
    game.Start();
    ASSERT_TRUE(game.State().DeviceReady);
    VisitScreens(game, [&](const char* screen) {
      Picture& picture = pictures_[screen];
      ASSERT_TRUE(graphics_->ReadTargetPixels(picture.pixels));
      ASSERT_EQ(picture.pixels.size(), 640u * 480u);
    });
  }
  static void TearDownTestSuite() {
    delete graphics_;
    graphics_ = nullptr;
  }

  const Picture& Screen(const char* name) { return pictures_.at(name); }

  // The HUD: the outlined box at (520, 10, 110, 230) with its five texts.
  void ExpectHud(const Picture& p) {
    // Translucent white outline over a dark fill.
    for (auto [x, y] : {std::pair{520, 10}, {629, 10}, {629, 239}, {520, 239}, {575, 10}}) {
      EXPECT_GT(Red(p.At(x, y)), 140) << x << "," << y;
      EXPECT_GT(Blue(p.At(x, y)), 140) << x << "," << y;
    }
    EXPECT_LT(Red(p.At(620, 235)), 100);
    EXPECT_GT(Count(p, 530, 20, 60, 20, Lit), 10) << "Time:";
    EXPECT_GT(
        Count(p, 530, 50, 95, 25, [](std::uint32_t c) { return Green(c) > 200 && Red(c) < 140; }),
        10)
        << "the green time bar";
    EXPECT_GT(Count(p, 530, 80, 80, 20, Lit), 10) << "Damage:";
    EXPECT_GT(Count(p, 530, 140, 80, 20, Lit), 10) << "LVL";
    EXPECT_GT(Count(p, 530, 170, 80, 20, Lit), 10) << "Mph";
    EXPECT_GT(Count(p, 530, 200, 90, 20, Lit), 10) << "PTS";
  }

  static GlGraphicsApi* graphics_;
  static std::map<std::string, Picture> pictures_;
};

GlGraphicsApi* Screens::graphics_ = nullptr;
std::map<std::string, Picture> Screens::pictures_;

TEST_F(Screens, TitleHasItsPanelBandTitleCreditAndPrompt) {
  const Picture& p = Screen("title");
  // The panel's opaque black outline where the band does not cover it.
  for (auto [x, y] : {std::pair{53, 432}, {300, 432}, {584, 432}, {584, 300}, {53, 300}})
    EXPECT_EQ(p.At(x, y) & 0xFFFFFF, 0u) << x << "," << y;
  // The band's outline, and its translucent orange over the road.
  EXPECT_EQ(p.At(50, 90) & 0xFFFFFF, 0u);
  EXPECT_EQ(p.At(578, 201) & 0xFFFFFF, 0u);
  const std::uint32_t band = p.At(560, 190);
  EXPECT_GT(Red(band), Blue(band) + 40);
  EXPECT_GT(Count(p, 65, 100, 240, 70, Lit), 300) << "TARVEX";
  EXPECT_GT(Count(p, 200, 460, 300, 18, Lit), 100) << "credit line";
  EXPECT_GT(Count(p, 135, 300, 400, 24, Lit), 100) << "prompt";
}

TEST_F(Screens, OptionsCoverTheTitleWithTheirRowsAndTheCarPicked) {
  const Picture& p = Screen("options");
  const std::uint32_t band = p.At(300, 25);
  EXPECT_GT(Red(band), Blue(band) + 40);
  // The black panel hides the title band and its TARVEX between the rows.
  EXPECT_EQ(p.At(250, 100) & 0xFFFFFF, 0u);
  EXPECT_LT(Count(p, 200, 100, 90, 60, Lit), 10) << "the title shows through";
  EXPECT_GT(Count(p, 30, 58, 200, 130, Lit), 400) << "the settings' labels";
  EXPECT_GT(Count(p, 300, 230, 150, 130, Lit), 200) << "the keys column";
  EXPECT_GT(Count(p, 480, 230, 140, 130, Lit), 200) << "the pad column";
  EXPECT_GT(Count(p, 520, 0, 110, 46, Lit), 100) << "the car picture";
}

TEST_F(Screens, IntroShowsTheLevelCaptionOverThePicture) {
  const Picture& p = Screen("intro");
  EXPECT_GT(Count(p, 160, 200, 320, 70, Lit), 300) << "LEVEL 01";
  EXPECT_LT(Count(p, 0, 0, 640, 480, Black), 640 * 48) << "the picture fills the screen";
}

TEST_F(Screens, SetUpFrameShowsLoadingAndTheHud) {
  const Picture& p = Screen("setup");
  EXPECT_GT(Count(p, 340, 440, 150, 36, Lit), 50) << "LOADING . . .";
  ExpectHud(p);
}

TEST_F(Screens, PlayingShowsTheHudWithRedDamageFromTwentyFiveMarks) {
  const Picture& p = Screen("playing");
  ExpectHud(p);
  EXPECT_GT(
      Count(p, 530, 110, 95, 25, [](std::uint32_t c) { return Red(c) > 200 && Green(c) < 120; }), 5)
      << "red damage bar";
}

TEST_F(Screens, PlayingShowsTheCarOnTheRoad) {
  const Picture& p = Screen("playing");
  const auto asphalt = [](std::uint32_t c) {
    return std::abs(Red(c) - Green(c)) < 25 && std::abs(Green(c) - Blue(c)) < 25 && Red(c) > 40 &&
           Red(c) < 200;
  };
  EXPECT_GT(Count(p, 150, 60, 300, 250, asphalt), 300 * 250 * 8 / 10) << "the road";
  // The first car's red stripes, at the car's place at the bottom of the road.
  EXPECT_GT(
      Count(p, 340, 385, 60, 70, [](std::uint32_t c) { return Red(c) > 150 && Green(c) < 90; }), 20)
      << "the player's car";
}

TEST_F(Screens, PausedShowsItsText) {
  const Picture& p = Screen("paused");
  EXPECT_GT(Count(p, 245, 230, 160, 26, Lit), 100) << "Game Paused";
  EXPECT_GT(Count(p, 240, 262, 160, 18, Lit), 60) << "how to resume";
  ExpectHud(p);
}

TEST_F(Screens, GameOverShowsItsTitleAndPromptOverTheBackdrop) {
  const Picture& p = Screen("gameover");
  EXPECT_GT(Count(p, 80, 100, 400, 70, Lit), 300) << "GAME OVER";
  const auto reddish = [](std::uint32_t c) { return Red(c) > 200 && Blue(c) + 60 < Red(c); };
  EXPECT_GT(Count(p, 80, 140, 400, 40, reddish), 50) << "the title shades into red";
  EXPECT_GT(Count(p, 90, 300, 480, 24, Lit), 100) << "prompt";
  EXPECT_LT(Count(p, 0, 0, 640, 480, Black), 640 * 48) << "the enlarged backdrop fills the screen";
}

TEST_F(Screens, RankingShowsItsTextsOverTheBackdrop) {
  const Picture& p = Screen("ranking");
  EXPECT_GT(Count(p, 60, 80, 300, 70, Lit), 300) << "RANKING";
  EXPECT_GT(Count(p, 150, 280, 150, 20, Lit), 30) << "Your poits:";
  EXPECT_GT(Count(p, 150, 330, 150, 20, Lit), 30) << "Your name:";
  EXPECT_GT(Count(p, 20, 450, 500, 26, Lit), 100) << "prompt";
}

TEST_F(Screens, RankingRowsShowThisGameHighlightedAndTheRestWhite) {
  const Picture& p = Screen("ranking");
  const auto highlight = [](std::uint32_t c) { return Blue(c) > 180 && Red(c) < 90; };
  const auto white = [](std::uint32_t c) { return std::min({Red(c), Green(c), Blue(c)}) > 200; };
  EXPECT_GT(Count(p, 470, 190, 120, 22, highlight), 40) << "this game's row";
  EXPECT_LT(Count(p, 470, 190, 120, 22, white), 5);
  for (int row = 1; row < 10; ++row) {
    const int y = 190 + 30 * row;
    EXPECT_GT(Count(p, 470, y, 20, 18, white), 15) << "row " << row;
    EXPECT_EQ(Count(p, 470, y, 120, 18, highlight), 0) << "row " << row;
  }
  EXPECT_EQ(Count(p, 470, 170, 120, 18, Lit), 0) << "above the first row";
}

TEST_F(Screens, WinScreenShowsItsCaptionAndAddress) {
  const Picture& p = Screen("win");
  EXPECT_GT(Count(p, 75, 200, 300, 70, Lit), 300) << "YOU WIN!";
  EXPECT_GT(Count(p, 200, 400, 200, 18, Lit), 30) << "address line";
}

}  // namespace
}  // namespace tvx::testing
