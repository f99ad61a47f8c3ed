// The generated pictures against the geometry the sprites rely on: car bodies fill their
// collision rectangles, scaled barrels lie over theirs, pick-ups and effects have the pattern
// counts the animations step through and sit where the effect sprites put them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "assetbuilder/art/backdrops.h"
#include "assetbuilder/art/cars.h"
#include "assetbuilder/art/effects.h"
#include "assetbuilder/art/obstacles.h"
#include "pixel_checks.h"

namespace tvx::assets {
namespace {

using testing::AlphaBox;
using testing::Box;
using testing::Find;

// Opaque inside the rectangle shrunk by `inset`, apart from the rounded corners of the body
// (`corner` pixels each way); fully transparent beyond `margin` outside.
void ExpectBodyFills(const ImageAsset& car, Box rect, int inset, int corner, int margin) {
  ASSERT_EQ(car.patterns.size(), 1u) << car.key;
  const Pixmap& p = car.patterns[0];
  for (int y = rect.top + inset; y < rect.bottom - inset; ++y) {
    for (int x = rect.left + inset; x < rect.right - inset; ++x) {
      const bool inCorner = (x < rect.left + corner || x >= rect.right - corner) &&
                            (y < rect.top + corner || y >= rect.bottom - corner);
      if (!inCorner) {
        ASSERT_EQ(p.Alpha(x, y), 255) << car.key << " at " << x << "," << y;
      }
    }
  }
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const bool far = x < rect.left - margin || x >= rect.right + margin ||
                       y < rect.top - margin || y >= rect.bottom + margin;
      if (far) {
        ASSERT_EQ(p.Alpha(x, y), 0) << car.key << " at " << x << "," << y;
      }
    }
  }
  // The body reaches the rectangle's sides, not just its middle.
  const Box body = AlphaBox(p, 200);
  EXPECT_LE(std::abs(body.left - rect.left), 1) << car.key;
  EXPECT_LE(std::abs(body.right - rect.right), 1) << car.key;
  EXPECT_LE(std::abs(body.top - rect.top), 2) << car.key;
  EXPECT_LE(std::abs(body.bottom - rect.bottom), 1) << car.key;
}

class Pictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cars = new std::vector<ImageAsset>(BuildCarImages());
    obstacles = new std::vector<ImageAsset>(BuildObstacleImages());
    effects = new std::vector<ImageAsset>(BuildEffectImages());
  }
  static void TearDownTestSuite() {
    delete cars;
    delete obstacles;
    delete effects;
  }
  static std::vector<ImageAsset>* cars;
  static std::vector<ImageAsset>* obstacles;
  static std::vector<ImageAsset>* effects;
};

std::vector<ImageAsset>* Pictures::cars = nullptr;
std::vector<ImageAsset>* Pictures::obstacles = nullptr;
std::vector<ImageAsset>* Pictures::effects = nullptr;

TEST_F(Pictures, TrafficAndWrecksFillTheirCollisionRectangle) {
  for (const std::string suffix : {"", "q"}) {
    for (int i = 0; i < 4; ++i) {
      const ImageAsset* car = Find(*cars, "car" + std::to_string(i) + suffix);
      ASSERT_NE(car, nullptr);
      ExpectBodyFills(*car, {30, 12, 65, 70}, 2, 10, 9);
    }
  }
}

TEST_F(Pictures, PlayerCarsFillTheirCollisionRectangle) {
  for (int i = 0; i < 4; ++i) {
    const ImageAsset* car = Find(*cars, "pcar" + std::to_string(i));
    ASSERT_NE(car, nullptr);
    ExpectBodyFills(*car, {33, 12, 66, 68}, 2, 10, 9);
  }
}

TEST_F(Pictures, WrecksAreDarkerThanTheirCars) {
  // The body only: a wreck's bright rim sets it off from dark roads, its body stays burnt.
  const auto brightness = [](const Pixmap& p) {
    constexpr int kRim = 6;
    const auto opaque = [&p](int x, int y) {
      return x >= 0 && y >= 0 && x < p.width && y < p.height && p.Alpha(x, y) > 0;
    };
    double sum = 0;
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        if (!opaque(x - kRim, y) || !opaque(x + kRim, y) || !opaque(x, y - kRim) ||
            !opaque(x, y + kRim)) {
          continue;
        }
        sum += testing::Luminance(p.Pixel(x, y)) * p.Alpha(x, y);
      }
    }
    return sum;
  };
  for (int i = 0; i < 4; ++i) {
    const ImageAsset* car = Find(*cars, "car" + std::to_string(i));
    const ImageAsset* wreck = Find(*cars, "car" + std::to_string(i) + "q");
    EXPECT_LT(brightness(wreck->patterns[0]), 0.7 * brightness(car->patterns[0]));
  }
}

TEST_F(Pictures, PreviewsFitTheTitlePanel) {
  for (int i = 0; i < 4; ++i) {
    const ImageAsset* preview = Find(*cars, "scar" + std::to_string(i));
    ASSERT_NE(preview, nullptr);
    const Box ink = AlphaBox(preview->patterns[0], 1);
    EXPECT_LE(350 + ink.bottom, 433) << "the title panel ends at y 433";
    EXPECT_LE(260 + ink.right, 53 + 532);
  }
}

// The drawn barrel (pattern scaled by 0.7 about its centre) covers the collision rectangle.
TEST_F(Pictures, ScaledBarrelsLieOverTheirCollisionRectangles) {
  const struct {
    const char* key;
    Box rect;
  } barrels[] = {
      {"barril0", {15, 34, 75, 44}}, {"barril1", {16, 40, 48, 51}}, {"barril2", {16, 40, 48, 51}}};
  for (const auto& barrel : barrels) {
    const ImageAsset* image = Find(*obstacles, barrel.key);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->patterns.size(), 1u);
    const double w = image->drawWidth, h = image->drawHeight;
    const double ox = std::nearbyint((w - w * 0.7) * 0.5), oy = std::nearbyint((h - h * 0.7) * 0.5);
    const Box body = AlphaBox(image->patterns[0], 128);
    EXPECT_LE(ox + 0.7 * body.left, barrel.rect.left + 1.0) << barrel.key;
    EXPECT_GE(ox + 0.7 * body.right, barrel.rect.right - 1.0) << barrel.key;
    EXPECT_LE(oy + 0.7 * body.top, barrel.rect.top + 1.0) << barrel.key;
    EXPECT_GE(oy + 0.7 * body.bottom, barrel.rect.bottom - 1.0) << barrel.key;
    // And it is centred on it: the drawn box extends about equally on both sides.
    const double drawnCentreX = ox + 0.35 * (body.left + body.right);
    const double drawnCentreY = oy + 0.35 * (body.top + body.bottom);
    EXPECT_NEAR(drawnCentreX, (barrel.rect.left + barrel.rect.right) / 2.0, 2.5) << barrel.key;
    EXPECT_NEAR(drawnCentreY, (barrel.rect.top + barrel.rect.bottom) / 2.0, 3.5) << barrel.key;
  }
}

TEST_F(Pictures, PickupsAnimateAroundTheirCollisionRectangle) {
  const struct {
    const char* key;
    std::size_t patterns;
    double scale;
  } pickups[] = {{"engrenagem", 2, 0.7}, {"gelb", 7, 1.0}, {"gelbpreta", 7, 1.0}};
  for (const auto& pickup : pickups) {
    const ImageAsset* image = Find(*obstacles, pickup.key);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->patterns.size(), pickup.patterns) << pickup.key;
    const double w = image->drawWidth, h = image->drawHeight;
    const double ox = std::nearbyint((w - w * pickup.scale) * 0.5);
    const double oy = std::nearbyint((h - h * pickup.scale) * 0.5);
    for (const Pixmap& frame : image->patterns) {
      const Box body = AlphaBox(frame, 160);
      EXPECT_LE(ox + pickup.scale * body.left, 8 + 4) << pickup.key;
      EXPECT_GE(ox + pickup.scale * body.right, 27 - 4) << pickup.key;
      EXPECT_LE(oy + pickup.scale * body.top, 8 + 4) << pickup.key;
      EXPECT_GE(oy + pickup.scale * body.bottom, 22 - 4) << pickup.key;
    }
    EXPECT_NE(image->patterns[0].bgra, image->patterns[1].bgra) << pickup.key << " animates";
  }
}

TEST_F(Pictures, EffectsHaveThePatternCountsTheirAnimationsUse) {
  EXPECT_EQ(Find(*effects, "explode")->patterns.size(), 32u);
  EXPECT_GE(Find(*effects, "fogflow")->patterns.size(), 23u) << "1..21 loop, 22 can be asked for";
  EXPECT_EQ(Find(*effects, "firejet")->patterns.size(), 4u);
  EXPECT_EQ(Find(*effects, "groggystars")->patterns.size(), 36u);
}

double Energy(const Pixmap& p) {
  double sum = 0;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x)
      sum += testing::Luminance(p.Pixel(x, y)) * p.Alpha(x, y) / 255.0;
  }
  return sum;
}

TEST_F(Pictures, ExplosionFlashesThenFadesOut) {
  const ImageAsset& explode = *Find(*effects, "explode");
  EXPECT_GT(Energy(explode.patterns[3]), Energy(explode.patterns[20]));
  EXPECT_GT(Energy(explode.patterns[3]), 4 * Energy(explode.patterns[28]));
  EXPECT_LT(Energy(explode.patterns[31]), 0.02 * Energy(explode.patterns[3]));
}

TEST_F(Pictures, SmokeLoopJoinsWithoutAJump) {
  const ImageAsset& smoke = *Find(*effects, "fogflow");
  const auto difference = [&](int a, int b) {
    double sum = 0;
    for (std::size_t i = 0; i < smoke.patterns[a].bgra.size(); ++i) {
      sum += std::abs(smoke.patterns[a].bgra[i] - smoke.patterns[b].bgra[i]);
    }
    return sum;
  };
  // Pattern 22 continues 21 as 2 continues 1: the loop 1..21 wraps smoothly.
  EXPECT_LT(difference(22, 1), 0.05 * difference(2, 1) + 1);
  EXPECT_LT(difference(21, 0), 0.05 * difference(2, 1) + 1);
}

TEST_F(Pictures, FireJetStartsAtTheBumperAndPointsDown) {
  const ImageAsset& jet = *Find(*effects, "firejet");
  for (const Pixmap& frame : jet.patterns) {
    const Box flame = AlphaBox(frame, 40);
    EXPECT_LE(flame.top, 3);
    EXPECT_GT(flame.bottom, frame.height / 2);
    // Drawn at 0.5 about its centre 45 pixels below the car's position, the flame starts
    // near the rear bumper at 68 and spreads across the car's width.
    const double top = 45 + std::nearbyint(frame.height * 0.25) + 0.5 * flame.top;
    EXPECT_NEAR(top, 66, 3);
    const double left = 16 + std::nearbyint(frame.width * 0.25) + 0.5 * flame.left;
    const double right = 16 + std::nearbyint(frame.width * 0.25) + 0.5 * flame.right;
    EXPECT_GE(left, 33 - 2);
    EXPECT_LE(right, 66 + 2);
  }
}

TEST_F(Pictures, StarsCircleOverTheRoof) {
  const ImageAsset& stars = *Find(*effects, "groggystars");
  for (const Pixmap& frame : stars.patterns) {
    const Box ring = AlphaBox(frame, 60);
    // Drawn unscaled 24 pixels right of the car, the ring centres on the car's middle.
    EXPECT_NEAR(24 + (ring.left + ring.right) / 2.0, 49.5, 4);
    EXPECT_NEAR(10 + (ring.top + ring.bottom) / 2.0, 40, 6);
  }
  EXPECT_NE(stars.patterns[0].bgra, stars.patterns[9].bgra);
}

TEST(Backdrops, EnlargedBackdropsFillTheScreen) {
  const std::vector<ImageAsset> backdrops = BuildBackdropImages();
  for (const char* key : {"gameovercar", "rankingcar"}) {
    const ImageAsset* image = Find(backdrops, key);
    ASSERT_NE(image, nullptr);
    // Drawn at (0, -150) nine times enlarged over a 640 x 480 screen.
    EXPECT_GE(image->drawWidth * 9, 640) << key;
    EXPECT_GE(image->drawHeight * 9 - 150, 480) << key;
    const Pixmap& p = image->patterns[0];
    for (int y = 150 / 9; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) ASSERT_EQ(p.Alpha(x, y), 255) << key;
    }
  }
  const ImageAsset* next = Find(backdrops, "nextlevel");
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->drawWidth, 640);
  EXPECT_EQ(next->drawHeight, 480);
}

}  // namespace
}  // namespace tvx::assets
