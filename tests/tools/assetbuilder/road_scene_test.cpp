// The road scenes: the scroll wraps without a seam, the asphalt lies where the traffic
// drives, the seven scenes differ, and the scenes of the harder levels are darker.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "assetbuilder/art/roads.h"
#include "pixel_checks.h"

namespace tvx::assets {
namespace {

class RoadScenes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { roads = new std::vector<ImageAsset>(BuildRoadImages()); }
  static void TearDownTestSuite() { delete roads; }
  static const Pixmap& Road(int i) { return (*roads)[i].patterns[0]; }
  static std::vector<ImageAsset>* roads;
};

std::vector<ImageAsset>* RoadScenes::roads = nullptr;

double MeanLuminance(const Pixmap& p, int x0, int x1) {
  double sum = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = x0; x < x1; ++x) sum += testing::Luminance(p.Pixel(x, y));
  }
  return sum / (480.0 * (x1 - x0));
}

TEST_F(RoadScenes, SevenOpaqueRoadsOfTwoScreensHeight) {
  ASSERT_EQ(roads->size(), 7u);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ((*roads)[i].key, "road" + std::to_string(i));
    ASSERT_EQ((*roads)[i].patterns.size(), 1u);
    const Pixmap& p = Road(i);
    ASSERT_EQ(p.width, 640);
    ASSERT_EQ(p.height, 960);
    for (std::size_t k = 3; k < p.bgra.size(); k += 4) ASSERT_EQ(p.bgra[k], 255) << "road" << i;
  }
}

TEST_F(RoadScenes, LowerHalfRepeatsTheUpperHalfExactly) {
  for (int i = 0; i < 7; ++i) {
    const Pixmap& p = Road(i);
    const std::size_t half = p.bgra.size() / 2;
    EXPECT_EQ(std::memcmp(p.bgra.data(), p.bgra.data() + half, half), 0) << "road" << i;
  }
}

TEST_F(RoadScenes, WrapJoinsWithoutASeam) {
  for (int i = 0; i < 7; ++i) {
    const Pixmap& p = Road(i);
    double typical = 0;
    for (int y = 0; y < 479; ++y) typical += testing::MeanRowDifference(p, y, y + 1);
    typical /= 479;
    EXPECT_LT(testing::MeanRowDifference(p, 479, 480), 2.0 * typical + 1) << "road" << i;
  }
}

TEST_F(RoadScenes, AsphaltCoversTheLanesTheCarsUse) {
  // Traffic bodies run from x 135 to 509; the asphalt is darker and greyer than any verge.
  for (int i = 0; i < 7; ++i) {
    const Pixmap& p = Road(i);
    for (int y = 0; y < 480; y += 7) {
      for (int x = 135; x < 510; x += 5) {
        const std::uint8_t* px = p.Pixel(x, y);
        const int spread = std::max({px[0], px[1], px[2]}) - std::min({px[0], px[1], px[2]});
        ASSERT_LT(spread, 70) << "road" << i << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(RoadScenes, ScenesDifferAndHarderLevelsAreDarker) {
  for (int a = 0; a < 7; ++a) {
    for (int b = a + 1; b < 7; ++b) {
      double difference = 0;
      for (int y = 0; y < 480; y += 3) {
        for (int x = 0; x < 640; x += 3) {
          for (int c = 0; c < 3; ++c)
            difference += std::abs(Road(a).Pixel(x, y)[c] - Road(b).Pixel(x, y)[c]);
        }
      }
      EXPECT_GT(difference / (160.0 * 214 * 3), 8) << "road" << a << " and road" << b;
    }
  }
  for (int hard = 4; hard < 7; ++hard) {
    for (int easy = 0; easy < 4; ++easy) {
      EXPECT_LT(MeanLuminance(Road(hard), 0, 640), MeanLuminance(Road(easy), 0, 640))
          << "road" << hard << " against road" << easy;
    }
  }
}

}  // namespace
}  // namespace tvx::assets
