// Contrast (WCAG relative luminance ratio) of the built archive's pictures where the player
// must tell them apart: the wrecks and the dizziness trap against every road's asphalt, and
// the ranking screen's name line against the backdrop under it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "core/Component.h"
#include "game/ImageNames.h"
#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "render/PxDevices.h"
#include "render/PxFonts.h"
#include "render/PxImages.h"

namespace tvx {
namespace {

// One pattern's drawn part as 0xAARRGGBB, top row first.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

double Linear(std::uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t argb) {
  return 0.2126 * Linear((argb >> 16) & 0xFF) + 0.7152 * Linear((argb >> 8) & 0xFF) +
         0.0722 * Linear(argb & 0xFF);
}

double Contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// `top` over `bottom` with top's alpha, as the game's alpha blend draws it.
std::uint32_t Over(std::uint32_t top, std::uint32_t bottom) {
  const std::uint32_t a = top >> 24;
  std::uint32_t out = 0xFF000000;
  for (int shift : {0, 8, 16}) {
    const std::uint32_t t = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
    out |= ((t * a + b * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

class PictureContrast : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    state = new State;
    state->archive = CreateComponent<TPxDb>(&state->rig.root);
    state->archive->SetFileName(TVX_RESOURCES_FILE);
    state->archive->OpenMode = TOpenModes::opReadOnly;
    state->device = state->rig.device;
    state->images = state->rig.images;
    state->fonts = state->rig.fonts;
    ASSERT_TRUE(state->device->Initialize());
    ASSERT_TRUE(state->images->LoadFromPxDb(*state->archive));
    ASSERT_TRUE(state->fonts->LoadFromPxDb(*state->archive));
  }
  static void TearDownTestSuite() {
    delete state;
    state = nullptr;
  }

  static Picture Pattern(const char* key, int pattern) {
    Picture picture;
    TPxImage* image = state->images->FindImage(key);
    if (image == nullptr || pattern >= image->PatternCount()) return picture;
    const int perTexture = image->PatternsPerTexture(), perRow = image->PatternsPerRow();
    const int inTexture = pattern % perTexture;
    const Point2i cell = image->CellSize(), draw = image->DrawSize();
    const int left = inTexture % perRow * cell.x + (cell.x - draw.x) / 2;
    const int top = inTexture / perRow * cell.y + (cell.y - draw.y) / 2;
    TLockInfo lock;
    if (!image->LockTexture(pattern / perTexture, LockModeReadOnly, lock)) return picture;
    if (lock.format == PixelFormat::pfA8R8G8B8) {
      picture.width = draw.x;
      picture.height = draw.y;
      for (int y = 0; y < draw.y; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(lock.bits + (top + y) * lock.pitch);
        picture.pixels.insert(picture.pixels.end(), row + left, row + left + draw.x);
      }
    }
    image->UnlockTexture(pattern / perTexture);
    return picture;
  }

  // The asphalt's typical colour: the median luminance of the lanes the traffic drives on.
  static std::uint32_t AsphaltColour(const Picture& road) {
    std::vector<std::pair<double, std::uint32_t>> lanes;
    for (int y = 0; y < 480; y += 3)
      for (int x = 135; x < 510; x += 3)
        lanes.emplace_back(Luminance(road.At(x, y)), road.At(x, y));
    std::nth_element(lanes.begin(), lanes.begin() + lanes.size() / 2, lanes.end());
    return lanes[lanes.size() / 2].second;
  }

  // The luminance of the picture's rim over `ground`: the median over the opaque pixels at
  // most two pixels inside its silhouette, which is what sets the shape off from the road.
  static double RimLuminance(const Picture& p, std::uint32_t ground) {
    const auto solid = [&p](int x, int y) {
      return x >= 0 && y >= 0 && x < p.width && y < p.height && (p.At(x, y) >> 24) >= 192;
    };
    std::vector<double> rim;
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        if (!solid(x, y)) continue;
        bool edge = false;
        for (int dy = -2; dy <= 2 && !edge; ++dy)
          for (int dx = -2; dx <= 2 && !edge; ++dx) edge = !solid(x + dx, y + dy);
        if (edge) rim.push_back(Luminance(Over(p.At(x, y), ground)));
      }
    }
    return rim.empty() ? Luminance(ground) : Median(rim);
  }

  struct State {
    gfx::RecordingGraphicsApi api;  // outlives the rig's components
    testing::RenderRig rig{api, {.images = true, .fonts = true}};
    TPxDb* archive = nullptr;
    TPxDevice* device = nullptr;
    TPxImages* images = nullptr;
    TPxFonts* fonts = nullptr;
  };
  static State* state;
};

PictureContrast::State* PictureContrast::state = nullptr;

TEST_F(PictureContrast, WrecksAndTheDizzinessTrapStandOutFromEveryRoad) {
  std::vector<std::pair<std::string, int>> shapes;
  for (const char* wreck : image::CrashedTrafficCars) shapes.emplace_back(wreck, 0);
  for (int frame = 0; frame < 7; ++frame) shapes.emplace_back(image::DizzyPickUp, frame);
  for (const char* road : image::Roads) {
    const Picture roadPicture = Pattern(road, 0);
    ASSERT_EQ(roadPicture.width, 640) << road;
    const std::uint32_t asphalt = AsphaltColour(roadPicture);
    for (const auto& [key, frame] : shapes) {
      const Picture shape = Pattern(key.c_str(), frame);
      ASSERT_GT(shape.width, 0) << key;
      const double ratio = Contrast(RimLuminance(shape, asphalt), Luminance(asphalt));
      EXPECT_GE(ratio, 3.0) << key << " pattern " << frame << " on " << road;
    }
  }
}

TEST_F(PictureContrast, TheRankingNameLineReadsOverItsBackdrop) {
  // The line "Your name: " and six letters with the cursor, in the HUD font at (150, 330); its
  // bottom colour, orange, is its darker one. The backdrop is enlarged nine times from
  // (0, -150), and its enlargement blends neighbouring pixels: one more pixel on each side.
  const TPxFont* hud = state->fonts->Items(4);
  ASSERT_NE(hud, nullptr);
  int width = 0;
  for (const char c : std::string("Your name: WWWWWW_"))
    width += hud->Glyphs()[static_cast<std::size_t>(c - hud->FirstChar())] + hud->GlyphSpacing();
  const int height = hud->Image()->DrawSize().y;
  const Picture backdrop = Pattern(image::RankingBackdrop, 0);
  ASSERT_EQ(backdrop.width, 72);
  const double text = Luminance(0xFFFF8020);
  double brightest = 0;
  for (int y = (330 + 150) / 9 - 1; y <= (330 + height + 150) / 9 + 1; ++y)
    for (int x = 150 / 9 - 1; x <= (150 + width) / 9 + 1; ++x)
      brightest = std::max(brightest, Luminance(Over(backdrop.At(x, y), 0xFF000000)));
  EXPECT_GE(Contrast(text, brightest), 4.5);
}

}  // namespace
}  // namespace tvx
