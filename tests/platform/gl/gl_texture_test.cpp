// Textures: placement texel for texel, every format's upload, rectangle locks, mip levels
// and the stage-0 operations, with and without a white diffuse throughout.
#include <cstdlib>
#include <cstring>

#include "gl_test_device.h"

namespace tvx::test {
namespace {

using namespace gfx;

class TextureTest : public GlDeviceTest {
 protected:
  void SetFilter(std::uint32_t filter) {
    ASSERT_EQ(api_->SetSamplerState(0, samp::MagFilter, filter), Ok);
    ASSERT_EQ(api_->SetSamplerState(0, samp::MinFilter, filter), Ok);
  }
  // One textured quad covering target pixels (x, y) .. (x + w - 1, y + h - 1).
  void DrawTextured(Handle texture, float x, float y, float w, float h,
                    std::uint32_t diffuse = 0xFFFFFFFF) {
    ASSERT_EQ(api_->SetTexture(0, texture), Ok);
    DrawQuads(QuadVertices(x, y, x + w, y + h, diffuse, true));
  }
  std::uint32_t SampledColour(Handle texture, std::uint32_t diffuse = 0xFFFFFFFF) {
    BeginFrame(0xFF000000);
    DrawTextured(texture, 20, 20, 2, 2, diffuse);
    return Pixel(20, 20);
  }
};

void ExpectNear(std::uint32_t actual, std::uint32_t expected) {
  for (int shift : {0, 8, 16, 24}) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    EXPECT_LE(std::abs(a - e), 1) << std::hex << actual << " vs " << expected;
  }
}

std::vector<std::uint32_t> Pattern(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint32_t> texels;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      texels.push_back(0xFF000000 | ((x * 37 + y * 91) % 256) << 16 | ((x + y) % 2) * 0xFF00 |
                       (y * 255 / (height - 1)));
    }
  }
  return texels;
}

TEST_F(TextureTest, QuadAtWholePixelsLandsTexelForTexelWithEitherFilter) {
  const std::vector<std::uint32_t> texels = Pattern(16, 8);
  const Handle texture = MakeTexture(format::A8R8G8B8, 16, 8, texels);
  for (std::uint32_t filter : {texf::Point, texf::Linear}) {
    SetFilter(filter);
    BeginFrame(0xFF000000);
    DrawTextured(texture, 100, 50, 16, 8);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 16; ++x) {
        ASSERT_EQ(Pixel(100 + x, 50 + y), texels[y * 16 + x]) << filter << ": " << x << "," << y;
      }
    }
    EXPECT_EQ(Pixel(99, 50), 0xFF000000u);
    EXPECT_EQ(Pixel(116, 50), 0xFF000000u);
    EXPECT_EQ(Pixel(100, 49), 0xFF000000u);
    EXPECT_EQ(Pixel(100, 58), 0xFF000000u);
  }
}

TEST_F(TextureTest, LinearFilterBlendsNeighboursWhenMagnified) {
  const Handle texture = MakeTexture(format::A8R8G8B8, 2, 1, {0xFF000000, 0xFFFFFFFF});
  SetFilter(texf::Linear);
  BeginFrame(0xFF000000);
  DrawTextured(texture, 0, 0, 4, 1);
  // Samples at u = 1/8, 3/8, 5/8, 7/8; the outer ones wrap round to the other texel.
  const int values[] = {64, 64, 191, 191};
  for (int x = 0; x < 4; ++x) EXPECT_NEAR(static_cast<int>(Pixel(x, 0) & 0xFF), values[x], 2);
  SetFilter(texf::Point);
  BeginFrame(0xFF000000);
  DrawTextured(texture, 0, 0, 4, 1);
  EXPECT_EQ(Pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(Pixel(2, 0), 0xFFFFFFFFu);
}

// Draws that read every texel at its centre may skip the filter; one triangle off the grid
// in the same draw keeps it for all.
TEST_F(TextureTest, FilteringIsKeptUnlessEveryTriangleIsTexelForTexel) {
  const Handle texture = MakeTexture(format::A8R8G8B8, 2, 1, {0xFF000000, 0xFFFFFFFF});
  SetFilter(texf::Linear);
  ASSERT_EQ(api_->SetTexture(0, texture), Ok);
  std::vector<TransformedVertex> quads = QuadVertices(0, 0, 2, 1, 0xFFFFFFFF, true);
  const std::vector<TransformedVertex> magnified = QuadVertices(10, 0, 14, 1, 0xFFFFFFFF, true);
  quads.insert(quads.end(), magnified.begin(), magnified.end());
  BeginFrame(0xFF000000);
  DrawQuads(quads);
  EXPECT_EQ(Pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(Pixel(1, 0), 0xFFFFFFFFu);
  const int values[] = {64, 64, 191, 191};
  for (int x = 0; x < 4; ++x) EXPECT_NEAR(static_cast<int>(Pixel(10 + x, 0) & 0xFF), values[x], 2);

  BeginFrame(0xFF000000);
  DrawQuads(QuadVertices(20.5f, 0, 22.5f, 1, 0xFFFFFFFF, true));  // half a pixel off
  EXPECT_NEAR(static_cast<int>(Pixel(21, 0) & 0xFF), 128, 2);
}

TEST_F(TextureTest, EveryFormatUploadsInItsOwnLayout) {
  struct Case {
    std::uint32_t format;
    std::uint32_t texel;
    std::uint32_t argb;
  };
  const Case cases[] = {
      {format::A8R8G8B8, 0x80123456, 0x80123456}, {format::X8R8G8B8, 0x00123456, 0xFF123456},
      {format::R5G6B5, 0xF800, 0xFFFF0000},       {format::R5G6B5, 0x07E0, 0xFF00FF00},
      {format::X1R5G5B5, 0x7C00, 0xFFFF0000},     {format::X1R5G5B5, 0x801F, 0xFF0000FF},
      {format::A1R5G5B5, 0x7FFF, 0x00FFFFFF},     {format::A1R5G5B5, 0x83E0, 0xFF00FF00},
      {format::A4R4G4B4, 0x8F00, 0x88FF0000},     {format::X4R4G4B4, 0xF0F0, 0xFF00FF00},
      {format::R3G3B2, 0x07, 0xFF0000FF},         {format::R3G3B2, 0xC0, 0xFFFF0000},
      {format::R3G3B2, 0x38, 0xFF00FF00},         {format::A8, 0x80, 0x80FFFFFF},
      {format::A8R3G3B2, 0x40C0, 0x40FF0000},     {format::A8R3G3B2, 0xFF05, 0xFF0000B6},
  };
  for (const Case& c : cases) {
    const Handle texture = MakeTexture(c.format, 2, 2, {c.texel, c.texel, c.texel, c.texel});
    EXPECT_EQ(SampledColour(texture), c.argb) << c.format << " " << std::hex << c.texel;
    api_->ReleaseTexture(texture);
  }
}

TEST_F(TextureTest, RectangleLockChangesOnlyItsTexels) {
  const Handle texture = MakeTexture(format::A8R8G8B8, 8, 8, std::vector<std::uint32_t>(64, 0));
  const Rect area{2, 3, 4, 5};
  LockedRect locked;
  ASSERT_EQ(api_->LockRect(texture, 0, locked, &area, 0), Ok);
  EXPECT_NE(api_->LockRect(texture, 0, locked, nullptr, 0), Ok);  // already locked
  for (int y = 0; y < 2; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(locked.bits) +
                                                 y * locked.pitch);
    row[0] = row[1] = 0xFFFFFFFF;
  }
  ASSERT_EQ(api_->UnlockRect(texture, 0), Ok);
  EXPECT_NE(api_->UnlockRect(texture, 0), Ok);
  SetFilter(texf::Point);
  BeginFrame(0xFF0000FF);
  ASSERT_EQ(api_->SetRenderState(rs::AlphaBlendEnable, 0), Ok);
  DrawTextured(texture, 0, 0, 8, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 4 && y >= 3 && y < 5;
      EXPECT_EQ(Pixel(x, y), inside ? 0xFFFFFFFFu : 0u) << x << "," << y;
    }
  }
  ASSERT_EQ(api_->LockRect(texture, 0, locked, nullptr, lock::ReadOnly), Ok);
  const auto* whole = static_cast<const std::uint8_t*>(locked.bits);
  std::uint32_t texel = 0;
  std::memcpy(&texel, whole + 3 * locked.pitch + 2 * 4, 4);
  EXPECT_EQ(texel, 0xFFFFFFFFu);
  ASSERT_EQ(api_->UnlockRect(texture, 0), Ok);
}

TEST_F(TextureTest, LocksRefuseRectanglesOutsideTheLevel) {
  Handle texture = 0;
  ASSERT_EQ(api_->CreateTexture(8, 4, 1, 0, format::R5G6B5, pool::Managed, texture), Ok);
  LockedRect locked;
  for (const Rect& bad : {Rect{-1, 0, 2, 2}, Rect{0, 0, 9, 2}, Rect{0, 0, 2, 5}, Rect{3, 0, 3, 2},
                          Rect{0, 2, 2, 1}}) {
    EXPECT_NE(api_->LockRect(texture, 0, locked, &bad, 0), Ok);
  }
  ASSERT_EQ(api_->LockRect(texture, 0, locked, nullptr, 0), Ok);
  EXPECT_GE(locked.pitch, 16);
  ASSERT_EQ(api_->UnlockRect(texture, 0), Ok);
  EXPECT_NE(api_->LockRect(texture, 1, locked, nullptr, 0), Ok);  // one level only
}

TEST_F(TextureTest, MipChainsShowEveryLevelUnlessGenerated) {
  Handle chain = 0;
  ASSERT_EQ(api_->CreateTexture(16, 4, 0, 0, format::A8R8G8B8, pool::Managed, chain), Ok);
  LockedRect locked;
  ASSERT_EQ(api_->LockRect(chain, 4, locked, nullptr, 0), Ok);  // 1 x 1
  ASSERT_EQ(api_->UnlockRect(chain, 4), Ok);
  EXPECT_NE(api_->LockRect(chain, 5, locked, nullptr, 0), Ok);
  Handle generated = 0;
  ASSERT_EQ(api_->CreateTexture(16, 16, 0, usage::AutoGenMipMap, format::A8R8G8B8, pool::Managed,
                                generated),
            Ok);
  EXPECT_NE(api_->LockRect(generated, 1, locked, nullptr, 0), Ok);
  ASSERT_EQ(api_->LockRect(generated, 0, locked, nullptr, 0), Ok);
  ASSERT_EQ(api_->UnlockRect(generated, 0), Ok);
}

TEST_F(TextureTest, CreationRefusesUnknownFormatsAndEmptySizes) {
  Handle texture = 0;
  EXPECT_NE(api_->CreateTexture(8, 8, 1, 0, format::D16, pool::Managed, texture), Ok);
  EXPECT_NE(api_->CreateTexture(0, 8, 1, 0, format::A8R8G8B8, pool::Managed, texture), Ok);
  EXPECT_NE(api_->CreateTexture(1u << 20, 8, 1, 0, format::A8R8G8B8, pool::Managed, texture), Ok);
}

TEST_F(TextureTest, ReleasedTextureCanNoLongerBeBound) {
  const Handle texture = MakeTexture(format::A8R8G8B8, 1, 1, {0xFFFFFFFF});
  ASSERT_EQ(api_->SetTexture(0, texture), Ok);
  api_->ReleaseTexture(texture);
  EXPECT_NE(api_->SetTexture(0, texture), Ok);
  EXPECT_EQ(api_->SetTexture(0, 0), Ok);
}

TEST_F(TextureTest, ModulateTintsTheTexelWithTheDiffuseColour) {
  const Handle grey =
      MakeTexture(format::A8R8G8B8, 2, 2, std::vector<std::uint32_t>(4, 0xFF808080));
  ExpectNear(SampledColour(grey, 0xFF00FF00), 0xFF008000);
  ExpectNear(SampledColour(grey, 0x80FFFFFF), 0x80808080);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::Modulate2x), Ok);
  ExpectNear(SampledColour(grey, 0xFF00FF40), 0xFF00FF40);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::Modulate4x), Ok);
  ExpectNear(SampledColour(grey, 0xFF204080), 0xFF4080FF);
}

TEST_F(TextureTest, UntexturedModulateShowsTheDiffuseColour) {
  ASSERT_EQ(api_->SetTexture(0, 0), Ok);
  BeginFrame(0xFF000000);
  DrawQuads(QuadVertices(0, 0, 4, 4, 0xFF123456));
  EXPECT_EQ(Pixel(1, 1), 0xFF123456u);
}

TEST_F(TextureTest, SelectArgumentsPickTextureDiffuseOrFactor) {
  const Handle texture =
      MakeTexture(format::A8R8G8B8, 2, 2, std::vector<std::uint32_t>(4, 0xFF112233));
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::SelectArg1), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaOp, top::SelectArg1), Ok);
  EXPECT_EQ(SampledColour(texture, 0x80445566), 0xFF112233u);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::SelectArg2), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaOp, top::SelectArg2), Ok);
  EXPECT_EQ(SampledColour(texture, 0x80445566), 0x80445566u);
  ASSERT_EQ(api_->SetRenderState(rs::TextureFactor, 0xFF778899), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorArg2, ta::TFactor), Ok);
  EXPECT_EQ(SampledColour(texture, 0x80445566), 0x80778899u);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::Disable), Ok);
  EXPECT_EQ(SampledColour(texture, 0x80445566), 0x80445566u);
  EXPECT_NE(api_->SetTextureStageState(0, tss::ColorOp, 99), Ok);
}

TEST_F(TextureTest, DotProductAndMultiplyAdd) {
  const Handle normal =
      MakeTexture(format::A8R8G8B8, 2, 2, std::vector<std::uint32_t>(4, 0xFFFF8080));
  ASSERT_EQ(api_->SetRenderState(rs::TextureFactor, 0xFFFF8080), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::DotProduct3), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorArg2, ta::TFactor), Ok);
  ExpectNear(SampledColour(normal), 0xFFFFFFFF);  // parallel vectors
  ASSERT_EQ(api_->SetRenderState(rs::TextureFactor, 0xFF80FF80), Ok);
  // Perpendicular up to 0x80 being a little above one half; replicated into alpha.
  ExpectNear(SampledColour(normal), 0x02020202);

  const Handle grey =
      MakeTexture(format::A8R8G8B8, 2, 2, std::vector<std::uint32_t>(4, 0xFF808080));
  ASSERT_EQ(api_->SetRenderState(rs::TextureFactor, 0xFF804020), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::MultiplyAdd), Ok);
  ExpectNear(SampledColour(grey, 0xFF102030), 0xFF504040);  // diffuse + texel * factor
}

// A draw whose every diffuse is opaque white gets a program without the diffuse; it must
// give what the general program gives for the same white quad.
TEST_F(TextureTest, AllWhiteDrawsMatchTheGeneralProgram) {
  std::vector<std::uint32_t> texels = Pattern(8, 8);
  for (std::size_t i = 0; i < texels.size(); ++i)
    texels[i] = (texels[i] & 0xFFFFFF) | (i * 4) << 24;
  const Handle texture = MakeTexture(format::A8R8G8B8, 8, 8, texels);
  SetFilter(texf::Linear);
  SetBlend(blend::SrcAlpha, blend::InvSrcAlpha, blendop::Add);
  ASSERT_EQ(api_->SetRenderState(rs::TextureFactor, 0xFF402010), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorArg2, ta::Diffuse), Ok);
  const auto region = [this] {
    std::vector<std::uint32_t> pixels;
    for (int y = 10; y < 23; ++y) {
      for (int x = 10; x < 23; ++x) pixels.push_back(Pixel(x, y));
    }
    return pixels;
  };
  for (std::uint32_t op :
       {top::Modulate, top::Modulate2x, top::SelectArg2, top::MultiplyAdd, top::Disable}) {
    ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, op), Ok);
    ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorArg1, ta::Texture), Ok);
    BeginFrame(0xFF336699);
    DrawTextured(texture, 10.25f, 10.5f, 12.5f, 11);
    const std::vector<std::uint32_t> white = region();
    // A tinted quad far away in the same draw makes the diffuse vary.
    std::vector<TransformedVertex> both =
        QuadVertices(10.25f, 10.5f, 22.75f, 21.5f, 0xFFFFFFFF, true);
    const std::vector<TransformedVertex> tinted =
        QuadVertices(600, 400, 610, 410, 0xFF00FF00, true);
    both.insert(both.end(), tinted.begin(), tinted.end());
    BeginFrame(0xFF336699);
    DrawQuads(both);
    EXPECT_EQ(region(), white) << "colour operation " << op;
    EXPECT_NE(Pixel(605, 405), 0xFF336699u);
  }
}

}  // namespace
}  // namespace tvx::test
