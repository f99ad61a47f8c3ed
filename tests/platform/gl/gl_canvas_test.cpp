// Pictures the canvas, images and fonts make on the GL backend: panels, blending, images
// texel for texel, mirrored and flipped patterns, and text with gradients and colour tags.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "archive_writer/pxdb_writer.h"
#include "core/Component.h"
#include "core/MemoryStream.h"
#include "harness/ImageRecordBuilder.h"
#include "harness/RenderRig.h"
#include "platform/gl/GlGraphicsApi.h"
#include "render/PxCanvas.h"
#include "render/PxDevices.h"
#include "render/PxFonts.h"
#include "render/PxImages.h"

namespace tvx {
namespace {

using testing::FontRecordBuilder;
using testing::ImageRecordBuilder;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// Colour channels within one step of each other; alpha is left out.
bool Near(std::uint32_t actual, std::uint32_t expected, int tolerance = 1) {
  for (int shift : {0, 8, 16}) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance) return false;
  }
  return true;
}

// A 16 x 16 picture of opaque texels that differ from each neighbour, in A8R8G8B8.
std::vector<std::uint32_t> Picture() {
  std::vector<std::uint32_t> texels;
  for (std::uint32_t y = 0; y < 16; ++y) {
    for (std::uint32_t x = 0; x < 16; ++x) {
      texels.push_back(0xFF000000 | (x * 16 + 8) << 16 | (y * 16 + 8) << 8 | ((x ^ y) & 1) * 255);
    }
  }
  return texels;
}

std::vector<std::uint8_t> Bytes(const std::vector<std::uint32_t>& words) {
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t w : words) testing::AppendLittleEndian(bytes, w);
  return bytes;
}

class CanvasPixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    api_ = GlGraphicsApi::CreateWithOwnWindow(640, 480, error);
    ASSERT_NE(api_, nullptr) << error;
    rig_ = std::make_unique<testing::RenderRig>(*api_, testing::RenderParts{.fonts = true});
    device_ = rig_->device;
    canvas_ = rig_->canvas;
    fonts_ = rig_->fonts;
    ASSERT_TRUE(device_->Initialize());
  }

  // Renders one frame on a cleared target and reads the target back.
  void Frame(CanvasColor background, const std::function<void()>& draw) {
    device_->OnRender = [&draw](TComponent*) { draw(); };
    ASSERT_TRUE(device_->Render(background, true));
    ASSERT_TRUE(api_->ReadTargetPixels(pixels_));
  }
  std::uint32_t Pixel(int x, int y) const { return pixels_.at(y * 640 + x); }

  std::unique_ptr<TPxImage> LoadImage(const std::vector<std::uint8_t>& record) {
    auto image = std::make_unique<TPxImage>(device_);
    TMemoryStream stream;
    stream.Write(record.data(), record.size());
    stream.Seek(0);
    EXPECT_TRUE(image->LoadFromStream(stream));
    return image;
  }

  TPxFont* LoadFont(const std::vector<std::uint8_t>& record) {
    PxDbWriter writer;
    writer.Add("font", FontRecordType, record);
    const std::string path = ::testing::TempDir() + "gl_canvas_font.tvx";
    std::string error;
    EXPECT_TRUE(writer.WriteFile(path, error)) << error;
    auto* archive = CreateComponent<TPxDb>(&rig_->root);
    archive->SetFileName(path);
    archive->OpenMode = TOpenModes::opReadOnly;
    TPxFont* font = fonts_->AddFont();
    EXPECT_TRUE(font->LoadFontRecord("font", *archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
    return font;
  }

  std::unique_ptr<GlGraphicsApi> api_;  // outlives the rig's components
  std::unique_ptr<testing::RenderRig> rig_;
  TPxDevice* device_ = nullptr;
  TPxCanvas* canvas_ = nullptr;
  TPxFonts* fonts_ = nullptr;
  std::vector<std::uint32_t> pixels_;
};

TEST_F(CanvasPixelTest, OutlinedBoxFillsItsAreaAndOutlinesItsBorder) {
  Frame(kWhite, [this] {
    canvas_->FillOutlinedBox(53, 93, 532, 340, 0xFF000000, 0x8E000000, EffectAlphaBlend);
  });
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      const bool inBox = x >= 53 && x <= 584 && y >= 93 && y <= 432;
      const bool border = inBox && (x == 53 || x == 584 || y == 93 || y == 432);
      const std::uint32_t expected = border ? 0xFF000000 : inBox ? 0xFF717171 : 0xFFFFFFFF;
      ASSERT_TRUE(Near(Pixel(x, y), expected)) << x << "," << y << " " << std::hex << Pixel(x, y);
    }
  }
}

TEST_F(CanvasPixelTest, AlphaBlendedAndAdditiveBoxes) {
  Frame(0xFF0000FF, [this] {                                         // red
    canvas_->FillBox(10, 10, 20, 20, 0x80FF0000, EffectAlphaBlend);  // half blue
    canvas_->FillBox(40, 10, 20, 20, 0x8000FF00, EffectAdditive);    // half green
    canvas_->FillBox(70, 10, 20, 20, 0x00FFFFFF, EffectAdditive);    // transparent: no effect
  });
  EXPECT_TRUE(Near(Pixel(10, 10), 0xFF7F0080)) << std::hex << Pixel(10, 10);
  EXPECT_TRUE(Near(Pixel(29, 29), 0xFF7F0080));
  EXPECT_EQ(Pixel(30, 30), 0xFFFF0000u);
  EXPECT_TRUE(Near(Pixel(40, 10), 0xFFFF8000)) << std::hex << Pixel(40, 10);
  EXPECT_EQ(Pixel(70, 10), 0xFFFF0000u);
}

TEST_F(CanvasPixelTest, ImageAtWholePixelsLandsTexelForTexelWithEitherFilter) {
  const std::vector<std::uint32_t> texels = Picture();
  auto image =
      LoadImage(ImageRecordBuilder().Cell(16, 16).Texture(16, 16).Pixels(Bytes(texels)).Bytes());
  for (bool antialias : {true, false}) {
    canvas_->SetAntialias(antialias);
    Frame(0xFF000000, [&] { canvas_->DrawImage(image.get(), 0, 100, 50, EffectAlphaBlend); });
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        ASSERT_EQ(Pixel(100 + x, 50 + y), texels[y * 16 + x]) << antialias << " " << x << "," << y;
      }
    }
    EXPECT_EQ(Pixel(99, 50), 0xFF000000u);
    EXPECT_EQ(Pixel(116, 65), 0xFF000000u);
    EXPECT_EQ(Pixel(100, 66), 0xFF000000u);
  }
}

TEST_F(CanvasPixelTest, MirrorAndFlipTurnThePatternOver) {
  const std::vector<std::uint32_t> texels = Picture();
  auto image =
      LoadImage(ImageRecordBuilder().Cell(16, 16).Texture(16, 16).Pixels(Bytes(texels)).Bytes());
  Frame(0xFF000000, [&] {
    const CanvasColor4 white = cColor4(ColorWhite);
    canvas_->DrawImageScaledEx(image.get(), 0, 0, 0, 1, 1, 0, true, false, white, EffectAlphaBlend);
    canvas_->DrawImageScaledEx(image.get(), 0, 20, 0, 1, 1, 0, false, true, white,
                               EffectAlphaBlend);
    canvas_->DrawImageScaledEx(image.get(), 0, 40, 0, 1, 1, 0, true, true, white, EffectAlphaBlend);
  });
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(Pixel(x, y), texels[y * 16 + 15 - x]) << "mirror " << x << "," << y;
      ASSERT_EQ(Pixel(20 + x, y), texels[(15 - y) * 16 + x]) << "flip " << x << "," << y;
      ASSERT_EQ(Pixel(40 + x, y), texels[(15 - y) * 16 + 15 - x]) << "both " << x << "," << y;
    }
  }
}

TEST_F(CanvasPixelTest, PatternsComeFromTheirCells) {
  const std::vector<std::uint32_t> texels = Picture();
  auto image = LoadImage(
      ImageRecordBuilder().Cell(8, 8).Draw(6, 6).Texture(16, 16).Pixels(Bytes(texels)).Bytes());
  Frame(0xFF000000, [&] { canvas_->DrawImage(image.get(), 3, 200, 100, EffectAlphaBlend); });
  // Pattern 3 is the bottom-right cell; its drawn 6 x 6 part starts one texel in.
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      ASSERT_EQ(Pixel(200 + x, 100 + y), texels[(9 + y) * 16 + 9 + x]) << x << "," << y;
    }
  }
  EXPECT_EQ(Pixel(206, 100), 0xFF000000u);
  EXPECT_EQ(Pixel(200, 106), 0xFF000000u);
}

class TextPixelTest : public CanvasPixelTest {
 protected:
  // Two solid white glyphs "A" and "B" of 8 x 8 pixels, advancing 10.
  void SetUp() override {
    CanvasPixelTest::SetUp();
    font_ = LoadFont(FontRecordBuilder()
                         .FirstChar('A')
                         .Advances({10, 10})
                         .Picture(ImageRecordBuilder()
                                      .Cell(8, 8)
                                      .Draw(8, 8)
                                      .Texture(16, 8)
                                      .FillPixels(0xFFFFFFFF)
                                      .Bytes())
                         .Bytes());
  }
  TPxFont* font_ = nullptr;
};

TEST_F(TextPixelTest, GradientRunsFromTheTopColourToTheBottomColour) {
  Frame(0xFF000000, [this] {
    font_->TextOut("AB", 20, 30, 0xFF0000FF, 0xFFFF0000, EffectAlphaBlend);  // red to blue
  });
  for (int glyphLeft : {20, 30}) {
    for (int y = 0; y < 8; ++y) {
      // Colours are interpolated between the vertex rows half a pixel above and below.
      const int blue = (255 * (2 * y + 1) + 8) / 16;
      const std::uint32_t expected = 0xFF000000 | (255 - blue) << 16 | blue;
      for (int x = 0; x < 8; ++x) {
        ASSERT_TRUE(Near(Pixel(glyphLeft + x, 30 + y), expected, 2))
            << glyphLeft + x << "," << 30 + y << " " << std::hex << Pixel(glyphLeft + x, 30 + y);
      }
    }
  }
  EXPECT_EQ(Pixel(28, 33), 0xFF000000u);  // the gap between the glyphs
  EXPECT_EQ(Pixel(38, 33), 0xFF000000u);
  EXPECT_EQ(Pixel(20, 38), 0xFF000000u);
}

TEST_F(TextPixelTest, ColourTagRecoloursTheRestOfTheText) {
  Frame(0xFF000000, [this] {
    font_->TextOut("A0xFF00FF00AB", 20, 30, 0xFF0000FF, 0xFF0000FF, EffectAlphaBlend);
  });
  EXPECT_EQ(Pixel(20, 30), 0xFFFF0000u);  // red before the tag
  EXPECT_EQ(Pixel(27, 37), 0xFFFF0000u);
  EXPECT_EQ(Pixel(30, 30), 0xFF00FF00u);  // green after it
  EXPECT_EQ(Pixel(47, 37), 0xFF00FF00u);
  EXPECT_EQ(Pixel(50, 30), 0xFF000000u);  // and nothing of the tag itself
}

}  // namespace
}  // namespace tvx
