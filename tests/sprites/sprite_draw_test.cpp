// Drawing sprites through a real canvas on the recording graphics double: which canvas
// operation each DrawMode reaches and with what, the visible-area test and the image lookup.
// Expected quads come from calling the canvas directly with the arguments the sprite should
// pass, so the tests check the sprite's side and leave placement to the canvas.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "archive_writer/pxdb_writer.h"
#include "core/Component.h"
#include "core/TempFolder.h"
#include "harness/ImageRecordBuilder.h"
#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "render/PxCanvas.h"
#include "render/PxDevices.h"
#include "render/PxImageRecord.h"
#include "render/PxImages.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

// A 64 x 64 texture of four 32 x 32 cells, each pattern drawn 20 x 10, all pixels zero.
std::vector<std::uint8_t> ImageRecord() {
  return ImageRecordBuilder()
      .Format(PixelFormat::pfA8R8G8B8)
      .Cell(32, 32)
      .Draw(20, 10)
      .Patterns(4)
      .Texture(64, 64)
      .Bytes();
}

class SpriteDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device->Initialize());
    LoadImages({"car", "boom3"});
    api.SetDrawObserver([this](const gfx::CallRecord& draw) { Capture(draw); });
    engine.Canvas = canvas;
    engine.Images = images;
    sprite = engine.Create<TSprite>();
    sprite->ImageName = "car";
    sprite->X = 100.0f;
    sprite->Y = 50.0f;
  }

  // The vertices of every quad drawn in one scene, in drawing order.
  std::vector<gfx::TransformedVertex> Frame(const std::function<void()>& draw) {
    vertices.clear();
    EXPECT_TRUE(device->BeginFrame());
    draw();
    EXPECT_TRUE(device->EndFrame());
    return vertices;
  }
  std::vector<gfx::TransformedVertex> EngineFrame() {
    return Frame([this] { engine.Draw(); });
  }
  // Draws the engine, then the expected canvas call, and compares the two scenes.
  void ExpectDrawnAs(const std::function<void(TPxImage*)>& expected) {
    const std::vector<gfx::TransformedVertex> drawn = EngineFrame();
    const std::vector<gfx::TransformedVertex> wanted =
        Frame([&] { expected(images->FindImage("car")); });
    ASSERT_EQ(wanted.size(), 4u);
    ASSERT_EQ(drawn.size(), wanted.size());
    EXPECT_EQ(
        std::memcmp(drawn.data(), wanted.data(), drawn.size() * sizeof(gfx::TransformedVertex)), 0)
        << "first corner drawn at " << drawn[0].x << ", " << drawn[0].y << ", wanted "
        << wanted[0].x << ", " << wanted[0].y;
  }

  gfx::RecordingGraphicsApi api;
  RenderRig rig{api, {.canvas = true, .images = true}};
  TComponent& root = rig.root;
  TPxDevice* device = rig.device;
  TPxCanvas* canvas = rig.canvas;
  TPxImages* images = rig.images;
  TSpriteEngine engine;
  TSprite* sprite = nullptr;

 private:
  void LoadImages(const std::vector<std::string>& keys) {
    PxDbWriter writer;
    for (const std::string& key : keys) writer.Add(key, ImageRecordType, ImageRecord());
    static const TempFolder folder;  // removed with its archives when the tests end
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path =
        folder.File(std::string(info->test_suite_name()) + "_" + info->name() + ".tvx");
    std::string error;
    ASSERT_TRUE(writer.WriteFile(path, error)) << error;
    auto* archive = CreateComponent<TPxDb>(&root);
    archive->SetFileName(path);
    archive->OpenMode = TOpenModes::opReadOnly;
    for (const std::string& key : keys) {
      ASSERT_TRUE(images->LoadImageRecord(key, *archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
    }
  }

  void Capture(const gfx::CallRecord& draw) {
    const auto& bytes = api.BufferData(api.StreamSource());
    const std::size_t first = vertices.size();
    vertices.resize(first + draw.args[3]);
    std::memcpy(vertices.data() + first, bytes.data(),
                draw.args[3] * sizeof(gfx::TransformedVertex));
  }

  std::vector<gfx::TransformedVertex> vertices;
};

TEST_F(SpriteDrawTest, AVisibleSpriteDrawsOneQuadAtItsTruncatedPositionWithItsTint) {
  sprite->X = 100.7f;
  sprite->OffsetX = 0.6f;
  sprite->ShiftX = -0.2f;
  sprite->Y = 50.9f;
  sprite->OffsetY = -0.3f;
  sprite->Red = 0x112;  // only the low byte reaches the canvas
  sprite->Green = 0x34;
  sprite->Blue = 0x56;
  sprite->Alpha = 0x78;
  const std::vector<gfx::TransformedVertex> drawn = EngineFrame();
  ASSERT_EQ(drawn.size(), 4u);
  // The canvas puts texel centres on pixel centres, half a pixel up and left.
  EXPECT_EQ(drawn[0].x, 100.5f);
  EXPECT_EQ(drawn[0].y, 49.5f);
  EXPECT_EQ(drawn[2].x, 120.5f);
  EXPECT_EQ(drawn[2].y, 59.5f);
  for (const gfx::TransformedVertex& vertex : drawn) EXPECT_EQ(vertex.diffuse, 0x78123456u);
}

TEST_F(SpriteDrawTest, PositionsTruncateTowardZero) {
  sprite->X = -5.7f;
  sprite->Y = -0.9f;
  const std::vector<gfx::TransformedVertex> drawn = EngineFrame();
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_EQ(drawn[0].x, -5.5f);
  EXPECT_EQ(drawn[0].y, -0.5f);
}

TEST_F(SpriteDrawTest, ModeZeroPassesScaleCentringFlagsPatternAndEffect) {
  sprite->PatternIndex = 1;
  sprite->ScaleX = 2.0f;
  sprite->ScaleY = 0.5f;
  sprite->Centred = 0;
  sprite->Mirror = true;
  sprite->DrawEffect = EffectAdditive;
  sprite->Blue = 7;
  ExpectDrawnAs([this](TPxImage* image) {
    canvas->DrawImageRGBA(image, 1, 100.0, 50.0, 2.0, 0.5, 0, true, false, 255, 255, 7, 255,
                          EffectAdditive);
  });
}

TEST_F(SpriteDrawTest, ModeOneRotatesAboutTheTruncatedPositionInOneColour) {
  sprite->SetDrawMode(1);
  sprite->X = 300.9f;
  sprite->Angle = 0.5f;
  sprite->ScaleY = 3.0f;
  sprite->Flip = true;
  sprite->Red = 10;
  sprite->Alpha = 128;
  ExpectDrawnAs([this](TPxImage* image) {
    canvas->DrawImageRotated(image, 0, 300.0, 50.0, 0.5f, 1.0, 3.0, false, true,
                             cColor4(0x80FFFF0A), EffectAlphaBlend);
  });
}

TEST_F(SpriteDrawTest, ModeTwoGivesEachCornerItsColour) {
  sprite->SetDrawMode(2);
  sprite->CornerColors = cColor4(0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004);
  sprite->ScaleX = 1.5f;
  ExpectDrawnAs([this](TPxImage* image) {
    canvas->DrawImageCorners(image, 0, 100.0, 50.0, 1.5, 1.0, 1, false, false, 0xFF000001,
                             0xFF000002, 0xFF000003, 0xFF000004, EffectAlphaBlend);
  });
}

TEST_F(SpriteDrawTest, ModeThreeMapsOntoTheTruncatedDrawQuadWhereverTheSpriteIs) {
  sprite->SetDrawMode(3);
  sprite->X = 400.0f;  // only decides visibility
  sprite->DrawQuad = {{{10.2f, 20.7f}, {60.9f, 21.0f}, {70.5f, 80.1f}, {5.0f, 75.0f}}};
  sprite->OffsetX = 1.5f;
  sprite->ShiftY = -0.8f;
  sprite->Green = 0;
  ExpectDrawnAs([this](TPxImage* image) {
    canvas->DrawImageToQuad(image, 0, 11.0, 19.0, 62.0, 20.0, 72.0, 79.0, 6.0, 74.0, false, false,
                            cColor4(0xFFFF00FF), EffectAlphaBlend);
  });
}

TEST_F(SpriteDrawTest, ModeFourMapsOntoTheDrawQuadWithTheCornerColours) {
  sprite->SetDrawMode(4);
  sprite->CornerColors = cColor4(0x10101010, 0x20202020, 0x30303030, 0x40404040);
  sprite->Mirror = true;
  ExpectDrawnAs([this](TPxImage* image) {
    canvas->DrawImageToQuad(image, 0, 0.0, 0.0, 10.0, 0.0, 10.0, 10.0, 0.0, 10.0, true, false,
                            cColor4(0x10101010, 0x20202020, 0x30303030, 0x40404040),
                            EffectAlphaBlend);
  });
}

TEST_F(SpriteDrawTest, TheWorldOffsetMovesTheDrawingAndTheBounds) {
  engine.WorldX = 100.0f;
  engine.WorldY = -20.0f;
  sprite->X = 150.0f;
  ExpectDrawnAs([this](TPxImage* image) {
    canvas->DrawImageRGBA(image, 0, 50.0, 70.0, 1.0, 1.0, 1, false, false, 255, 255, 255, 255,
                          EffectAlphaBlend);
  });
  sprite->X = -100.0f;  // on the shifted left bound
  EXPECT_TRUE(EngineFrame().empty());
  sprite->X = -99.5f;
  EXPECT_EQ(EngineFrame().size(), 4u);
}

TEST_F(SpriteDrawTest, ASpriteOnAnyBoundIsNotDrawn) {
  sprite->DrawBounds = {0, 0, 640, 480};
  const float inside = 1e-3f;
  const std::vector<std::pair<float, float>> onBounds{
      {0.0f, 50.0f}, {640.0f, 50.0f}, {100.0f, 0.0f}, {100.0f, 480.0f}};
  for (const auto& [x, y] : onBounds) {
    sprite->X = x;
    sprite->Y = y;
    EXPECT_TRUE(EngineFrame().empty()) << x << ", " << y;
  }
  for (const auto& [x, y] : std::vector<std::pair<float, float>>{{inside, 50.0f},
                                                                 {640.0f - inside, 50.0f},
                                                                 {100.0f, inside},
                                                                 {100.0f, 480.0f - inside}}) {
    sprite->X = x;
    sprite->Y = y;
    EXPECT_EQ(EngineFrame().size(), 4u) << x << ", " << y;
  }
}

TEST_F(SpriteDrawTest, InvisibleSpritesUnknownModesAndUnknownCentringDrawNothing) {
  sprite->Visible = false;
  EXPECT_TRUE(EngineFrame().empty());
  sprite->Visible = true;
  sprite->SetDrawMode(-1);
  EXPECT_TRUE(EngineFrame().empty());
  sprite->SetDrawMode(0);
  sprite->Centred = 2;
  EXPECT_TRUE(EngineFrame().empty());
}

TEST_F(SpriteDrawTest, ADeadSpriteIsStillDrawn) {
  sprite->Kill();
  EXPECT_EQ(EngineFrame().size(), 4u);
}

TEST_F(SpriteDrawTest, TheImageIsFoundByTheNameImageNamingGives) {
  sprite->ImageName = "boom";
  sprite->ImageNumber = 3;
  EXPECT_TRUE(EngineFrame().empty());  // "boom" alone is no image
  sprite->ImageNaming = 0;
  EXPECT_EQ(EngineFrame().size(), 4u);
  sprite->ImageNumber = 4;
  EXPECT_TRUE(EngineFrame().empty());
  sprite->ImageName = "boom3";
  sprite->ImageNaming = 2;
  EXPECT_TRUE(EngineFrame().empty());
}

TEST_F(SpriteDrawTest, WithoutCanvasOrImagesNothingIsDrawn) {
  engine.Images = nullptr;
  EXPECT_TRUE(EngineFrame().empty());
  engine.Images = images;
  engine.Canvas = nullptr;
  EXPECT_TRUE(EngineFrame().empty());
}

TEST_F(SpriteDrawTest, LowerDepthsAreDrawnFirst) {
  sprite->SetZ(5);
  auto* below = engine.Create<TSprite>();
  below->ImageName = "car";
  below->X = 10.0f;
  const std::vector<gfx::TransformedVertex> drawn = EngineFrame();
  ASSERT_EQ(drawn.size(), 8u);
  EXPECT_EQ(drawn[0].x, 9.5f);
  EXPECT_EQ(drawn[4].x, 99.5f);
}

TEST_F(SpriteDrawTest, AnAnimatedSpriteDrawsItsCurrentPatternInsideTheAreaOnly) {
  delete sprite;
  auto* animated = engine.Create<TAnimatedSprite>();
  animated->SetAnimation("car", 0, 4, 1.0f, true, 0);
  animated->X = 100.0f;
  animated->Y = 50.0f;
  engine.Move(2.0f);
  ExpectDrawnAs([this](TPxImage* image) {
    canvas->DrawImageRGBA(image, 2, 100.0, 50.0, 1.0, 1.0, 1, false, false, 255, 255, 255, 255,
                          EffectAlphaBlend);
  });
  animated->X = 2000.0f;
  EXPECT_TRUE(EngineFrame().empty());
}

// Between ticks: the engine's Track keeps the ends of the last two ticks, Draw with a lag
// draws each sprite that far back along them, at its exact place.
class SpriteTrackTest : public SpriteDrawTest {
 protected:
  // The first corner drawn (the canvas puts it half a pixel up and left of the position).
  gfx::TransformedVertex DrawnWithLag(float lag) {
    const std::vector<gfx::TransformedVertex> drawn = Frame([&] { engine.Draw(lag); });
    EXPECT_EQ(drawn.size(), 4u);
    return drawn.empty() ? gfx::TransformedVertex{} : drawn[0];
  }
  // Two ticks of motion: 50 -> 60 -> 70 down, 100 -> 110 -> 130 across.
  void MoveTwoTicks() {
    engine.Track();
    sprite->X = 110.0f;
    sprite->Y = 60.0f;
    engine.Track();
    sprite->X = 130.0f;
    sprite->Y = 70.0f;
  }
};

TEST_F(SpriteTrackTest, ALagDrawsTheSpriteThatFarBackAtItsExactPlace) {
  MoveTwoTicks();
  EXPECT_EQ(DrawnWithLag(0.0f).y, 69.5f) << "no lag: where the newest tick left it";
  gfx::TransformedVertex v = DrawnWithLag(0.25f);
  EXPECT_FLOAT_EQ(v.x, 124.5f);
  EXPECT_FLOAT_EQ(v.y, 67.0f);
  v = DrawnWithLag(1.0f);
  EXPECT_FLOAT_EQ(v.y, 59.5f);
  v = DrawnWithLag(1.5f);
  EXPECT_FLOAT_EQ(v.x, 104.5f) << "between one and two ticks back";
  EXPECT_FLOAT_EQ(v.y, 54.5f);
  EXPECT_FLOAT_EQ(DrawnWithLag(2.0f).y, 49.5f);
  EXPECT_EQ(sprite->X, 130.0f) << "drawing moves nothing";
  EXPECT_EQ(sprite->Y, 70.0f);
}

TEST_F(SpriteTrackTest, ASpriteNotTrackedOrThatJumpedIsDrawnWhereItIs) {
  EXPECT_EQ(DrawnWithLag(1.5f).y, 49.5f) << "made after the last tick";
  engine.Track();
  sprite->Y = 60.0f;
  EXPECT_FLOAT_EQ(DrawnWithLag(1.5f).y, 49.5f) << "one tick tracked: no further back than it";
  sprite->Y = 300.0f;
  sprite->Jumped();
  EXPECT_EQ(DrawnWithLag(0.5f).y, 299.5f);
  EXPECT_EQ(sprite->TrackedY(1), 300.0f);
}

TEST_F(SpriteTrackTest, AShiftedTrackMovesWithAWrap) {
  sprite->DrawBounds = {-1000, -1000, 1000, 1000};
  MoveTwoTicks();
  sprite->Y = -400.0f;  // the same picture as 80
  sprite->ShiftTrack(0.0f, -480.0f);
  EXPECT_FLOAT_EQ(DrawnWithLag(0.5f).y, -410.5f);
  EXPECT_EQ(sprite->TrackedY(2), -430.0f);
}

TEST_F(SpriteTrackTest, ASpriteThatStandsStillIsDrawnAtWholePixelsWhateverTheLag) {
  sprite->X = 100.7f;
  sprite->Y = 50.9f;
  engine.Track();
  engine.Track();
  const gfx::TransformedVertex v = DrawnWithLag(1.3f);
  EXPECT_EQ(v.x, 99.5f);
  EXPECT_EQ(v.y, 49.5f);
}

}  // namespace
}  // namespace tvx::testing
