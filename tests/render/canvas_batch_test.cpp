#include <gtest/gtest.h>

#include "canvas_fixture.h"

namespace tvx::testing {
namespace {

using gfx::Call;

const FloatQuad kQuad = pBounds4(10, 20, 30, 40);
const FloatQuad kTexCoords = pBounds4(0, 0, 1, 1);

class CanvasBatches : public CanvasTest {};

TEST_F(CanvasBatches, SixHundredEightyThreeQuadsMakeTwoBatches) {
  auto image = MakeImage();
  BeginScene();
  for (int i = 0; i < 683; ++i) {
    canvas->DrawTexturedQuad(kQuad, kTexCoords, cColor4(ColorWhite), image.get(), 0,
                             EffectAlphaBlend);
  }
  EndScene();
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_EQ(batches[0].type, gfx::prim::TriangleList);
  EXPECT_EQ(batches[0].primitives, 682u * 2);
  EXPECT_EQ(batches[0].vertices.size(), 682u * 4);
  EXPECT_EQ(batches[1].primitives, 2u);
  EXPECT_EQ(canvas->Batches(), 2);
  EXPECT_EQ(canvas->VerticesAdded(), 683 * 4);
  EXPECT_EQ(canvas->IndicesAdded(), 683 * 6);
  // Effect and texture were set once for both batches.
  EXPECT_EQ(RenderStateCalls(gfx::rs::SrcBlend).size(), 1u);
}

TEST_F(CanvasBatches, EachFlushLocksExactlyThePendingBytesWithDiscard) {
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  EndScene();
  const auto locks = api.Calls(Call::LockBuffer);
  ASSERT_EQ(locks.size(), 2u);
  EXPECT_EQ(locks[0].args[1], 0u);
  EXPECT_EQ(locks[0].args[2], 8u * 28);
  EXPECT_EQ(locks[0].args[3], gfx::lock::Discard);
  EXPECT_EQ(locks[1].args[2], 12u * 2);
  const auto draw = api.Calls(Call::DrawIndexedPrimitive).front();
  EXPECT_EQ(draw.args, (std::array<std::uint32_t, 6>{gfx::prim::TriangleList, 0, 0, 8, 0, 4}));
  EXPECT_EQ(api.Fvf(), gfx::FvfXyzRhwDiffuseTex1);
  EXPECT_EQ(batches[0].indices, (std::vector<std::uint16_t>{0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7}));
}

TEST_F(CanvasBatches, KindChangeFlushesInBothDirections) {
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectAlphaBlend);
  canvas->DrawLine({0, 0}, {5, 5}, ColorWhite, ColorWhite, EffectAlphaBlend);
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectAlphaBlend);
  EndScene();
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0].type, gfx::prim::TriangleList);
  EXPECT_EQ(batches[1].type, gfx::prim::LineList);
  EXPECT_EQ(batches[1].indices, (std::vector<std::uint16_t>{0, 1}));
  EXPECT_EQ(batches[2].type, gfx::prim::TriangleList);
}

TEST_F(CanvasBatches, TintedAfterWhiteStartsANewBatchWithTheSameStatesAgain) {
  auto image = MakeImage();
  BeginScene();
  canvas->DrawTexturedQuad(kQuad, kTexCoords, cColor4(ColorWhite), image.get(), 0,
                           EffectAlphaBlend);
  canvas->DrawTexturedQuad(kQuad, kTexCoords, cColor4(0x80FFFFFF), image.get(), 0,
                           EffectAlphaBlend);
  EndScene();
  EXPECT_EQ(batches.size(), 2u);
  const auto src = RenderStateCalls(gfx::rs::SrcBlend);
  ASSERT_EQ(src.size(), 2u);
  EXPECT_EQ(src[0].args[1], gfx::blend::SrcAlpha);
  EXPECT_EQ(src[1].args[1], gfx::blend::SrcAlpha);
  EXPECT_EQ(RenderStateCalls(gfx::rs::AlphaBlendEnable).size(), 2u);
  // The texture stays bound: image and index did not change.
  EXPECT_EQ(api.BoundTexture(0), image->Texture(0));
}

TEST_F(CanvasBatches, EachBatchTellsTheBackendWhetherAnyVertexIsTinted) {
  constexpr DrawEffect kSpecial = 0x7FFFFFF0;  // keys white and tinted quads alike
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  canvas->FillQuad(kQuad, cColor4(0xFFFFFF00), EffectOpaque);
  canvas->DrawLine({0, 0}, {5, 5}, ColorWhite, ColorWhite, EffectOpaque);
  canvas->DrawLine({0, 0}, {5, 5}, ColorWhite, 0xFF00FFFF, EffectOpaque);
  canvas->FillQuad(kQuad, cColor4(ColorWhite), kSpecial);
  canvas->FillQuad(kQuad, cColor4(0x80FFFFFF), kSpecial);
  canvas->DrawLine({0, 0}, {5, 5}, ColorWhite, ColorWhite, EffectOpaque);
  EndScene();
  std::vector<bool> untinted;
  for (const DrawnBatch& batch : batches) untinted.push_back(batch.untinted);
  EXPECT_EQ(untinted, (std::vector<bool>{true, false, false, false, true}));
}

TEST_F(CanvasBatches, TextureChangeBreaksTheBatch) {
  auto image = MakeImage(2);
  BeginScene();
  canvas->DrawPatternQuad(image.get(), kQuad, cColor4(ColorWhite), {0, 0, 0, 0, 0, 0, 0},
                          EffectAlphaBlend);
  canvas->DrawPatternQuad(image.get(), kQuad, cColor4(ColorWhite), {4, 0, 0, 0, 0, 0, 0},
                          EffectAlphaBlend);
  canvas->DrawPatternQuad(image.get(), kQuad, cColor4(ColorWhite), {5, 0, 0, 0, 0, 0, 0},
                          EffectAlphaBlend);
  EndScene();
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_EQ(batches[1].primitives, 4u);
  std::vector<std::uint32_t> stage0;
  for (const auto& call : api.Calls(Call::SetTexture)) {
    if (call.args[0] == 0) stage0.push_back(call.args[1]);
  }
  // Reset unbinds, then texture 0, then texture 1.
  EXPECT_EQ(stage0, (std::vector<std::uint32_t>{0, gfx::HandleValue(image->Texture(0)),
                                                gfx::HandleValue(image->Texture(1))}));
}

TEST_F(CanvasBatches, UntexturedAfterTexturedUnbindsTheTexture) {
  auto image = MakeImage();
  BeginScene();
  canvas->DrawTexturedQuad(kQuad, kTexCoords, cColor4(ColorWhite), image.get(), 0,
                           EffectAlphaBlend);
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectAlphaBlend);
  EndScene();
  EXPECT_EQ(batches.size(), 2u);
  EXPECT_EQ(api.BoundTexture(0), gfx::NoTexture);
}

TEST_F(CanvasBatches, EmptySceneDrawsNothing) {
  BeginScene();
  EndScene();
  EXPECT_EQ(Draws(), 0u);
  EXPECT_EQ(api.Count(Call::LockBuffer), 0u);
  EXPECT_EQ(api.Count(Call::SetRenderState), 0u);
}

TEST_F(CanvasBatches, FirstPrimitiveOfEachSceneResetsEveryState) {
  for (int scene = 0; scene < 2; ++scene) {
    BeginScene();
    api.ClearLog();
    canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
    const auto afterFirst = api.Log().size();
    canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
    EXPECT_EQ(api.Log().size(), afterFirst) << "second primitive set states again";
    EndScene();

    const auto& log = api.Log();
    ASSERT_GT(log.size(), 7u);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
        {gfx::rs::Lighting, 0},
        {gfx::rs::CullMode, gfx::cull::None},
        {gfx::rs::ZEnable, 0},
        {gfx::rs::FogEnable, 0},
        {gfx::rs::AlphaFunc, gfx::cmp::GreaterEqual},
        {gfx::rs::AlphaRef, 1},
        {gfx::rs::AlphaTestEnable, 0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(log[i].call, Call::SetRenderState);
      EXPECT_EQ(log[i].args[0], expected[i].first);
      EXPECT_EQ(log[i].args[1], expected[i].second);
    }
    EXPECT_EQ(api.Count(Call::SetTexture), 8u * (scene + 1) + 1 + scene);
    EXPECT_EQ(api.TextureStageState(7, gfx::tss::ColorArg1), gfx::ta::Texture);
    EXPECT_EQ(api.TextureStageState(7, gfx::tss::AlphaArg2), gfx::ta::Diffuse);
    EXPECT_EQ(api.TextureStageState(3, gfx::tss::TextureTransformFlags),
              gfx::TextureTransformDisable);
    EXPECT_EQ(api.RenderState(gfx::rs::DitherEnable), 0u);
    EXPECT_EQ(api.SamplerState(0, gfx::samp::MagFilter), gfx::texf::Linear);
    EXPECT_EQ(api.SamplerState(0, gfx::samp::MinFilter), gfx::texf::Linear);
    EXPECT_EQ(canvas->Batches(), 1);
  }
}

TEST_F(CanvasBatches, FlushNotificationSendsThePendingBatch) {
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  EXPECT_TRUE(canvas->HandleNotification(NotifyFlush));
  EXPECT_EQ(Draws(), 1u);
  EndScene();
  EXPECT_EQ(Draws(), 1u);
}

TEST_F(CanvasBatches, FailedLockDropsOnlyThatBatch) {
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  api.FailOnce(Call::LockBuffer);
  canvas->Flush();
  EXPECT_EQ(Draws(), 0u);
  EXPECT_EQ(api.Count(Call::SetStreamSource), 0u);
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  EndScene();
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].primitives, 2u);
  EXPECT_EQ(canvas->Batches(), 2);  // the dropped batch still counts
}

TEST_F(CanvasBatches, AntialiasAndDitheringApplyAtOnceWhileInitialised) {
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  canvas->SetAntialias(false);
  EXPECT_EQ(Draws(), 1u);
  EXPECT_EQ(api.SamplerState(0, gfx::samp::MagFilter), gfx::texf::Point);
  EXPECT_EQ(api.SamplerState(0, gfx::samp::MinFilter), gfx::texf::Point);
  canvas->SetDithering(true);
  EXPECT_EQ(api.RenderState(gfx::rs::DitherEnable), 1u);
  EndScene();
}

class CanvasVertexCache : public ::testing::Test {
 protected:
  TPxCanvas canvas{nullptr};
};

TEST_F(CanvasVertexCache, RoundsUpToFourAndClamps) {
  const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
      {1000, 1000},   {1001, 1004}, {100, 512},         {65535, 65536},
      {70000, 65536}, {-5, 512},    {2147483647, 65536}};
  for (const auto& [given, kept] : cases) {
    canvas.SetVertexCache(given);
    EXPECT_EQ(canvas.VertexCache(), kept) << given;
  }
}

class CanvasLifecycle : public CanvasTest {};

TEST_F(CanvasLifecycle, BuffersFollowTheVertexCache) {
  const auto vertex = api.Calls(Call::CreateVertexBuffer).front();
  EXPECT_EQ(vertex.args,
            (std::array<std::uint32_t, 6>{4096 * 28, gfx::usage::WriteOnly | gfx::usage::Dynamic,
                                          gfx::FvfXyzRhwDiffuseTex1, gfx::pool::Default, 0, 0}));
  const auto index = api.Calls(Call::CreateIndexBuffer).front();
  EXPECT_EQ(index.args[0], 4096u * 2);
  EXPECT_EQ(index.args[2], gfx::format::Index16);
}

TEST_F(CanvasLifecycle, VertexCacheAndAlphaTestingIgnoredWhileInitialised) {
  canvas->SetVertexCache(1000);
  canvas->SetAlphaTesting(false);
  EXPECT_EQ(canvas->VertexCache(), 4096);
  EXPECT_TRUE(canvas->AlphaTesting());
  device->Finalize();
  canvas->SetVertexCache(1000);
  EXPECT_EQ(canvas->VertexCache(), 1000);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(api.Calls(Call::CreateVertexBuffer).back().args[0], 1000u * 28);
}

TEST_F(CanvasLifecycle, SmallCacheSplitsBatchesByIndices) {
  device->Finalize();
  canvas->SetVertexCache(512);  // 85 quads of six indices each
  ASSERT_TRUE(device->Initialize());
  BeginScene();
  for (int i = 0; i < 86; ++i) canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  EndScene();
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_EQ(batches[0].primitives, 85u * 2);
}

TEST_F(CanvasLifecycle, FailingBufferMakesTheDeviceGiveUp) {
  device->Finalize();
  api.FailOnce(Call::CreateIndexBuffer);
  EXPECT_FALSE(device->Initialize());
  EXPECT_FALSE(canvas->Initialized());
  EXPECT_EQ(api.LiveBuffers(), 0u);
}

TEST_F(CanvasLifecycle, LostReleasesBuffersAndDrawingReachesNothing) {
  api.FailOnce(Call::Present, gfx::DeviceLost);
  api.FailOnce(Call::TestCooperativeLevel, gfx::DeviceLost);
  EXPECT_FALSE(device->PresentFrame());
  EXPECT_TRUE(canvas->Lost());
  EXPECT_EQ(api.LiveBuffers(), 0u);

  api.ClearLog();
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  canvas->DrawLine({0, 0}, {1, 1}, ColorWhite, ColorWhite, EffectOpaque);
  EndScene();
  EXPECT_EQ(api.Count(Call::LockBuffer), 0u);
  EXPECT_EQ(Draws(), 0u);

  api.FailOnce(Call::Present, gfx::DeviceLost);
  api.FailOnce(Call::TestCooperativeLevel, gfx::DeviceNotReset);
  EXPECT_TRUE(device->PresentFrame());
  EXPECT_FALSE(canvas->Lost());
  EXPECT_EQ(api.LiveBuffers(), 2u);
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);
  EndScene();
  EXPECT_EQ(Draws(), 1u);
}

TEST_F(CanvasLifecycle, FailedRestoreLeavesTheCanvasUninitialised) {
  device->ApplyParameters();  // lost, reset and restored in one go
  EXPECT_TRUE(canvas->Initialized());
  api.FailOnce(Call::CreateVertexBuffer);
  device->SetWidth(800);
  EXPECT_FALSE(canvas->Initialized());
  EXPECT_FALSE(canvas->Lost());
  EXPECT_EQ(api.LiveBuffers(), 0u);
  BeginScene();
  canvas->FillQuad(kQuad, cColor4(ColorWhite), EffectOpaque);  // ignored, no crash
  EndScene();
  EXPECT_EQ(api.Count(Call::LockBuffer), 0u);
}

TEST_F(CanvasLifecycle, FinalizeAndDestructionReleaseTheBuffers) {
  device->Finalize();
  EXPECT_FALSE(canvas->Initialized());
  EXPECT_EQ(api.LiveBuffers(), 0u);
  ASSERT_TRUE(device->Initialize());
  EXPECT_EQ(api.LiveBuffers(), 2u);
  delete canvas;
  EXPECT_EQ(api.LiveBuffers(), 0u);
  EXPECT_EQ(device->SubscriberCount(), 0);
}

}  // namespace
}  // namespace tvx::testing
