#include "gl_test_device.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace tvx::test {

using namespace gfx;

constexpr std::uint32_t kBatch = 4096;

std::vector<TransformedVertex> QuadVertices(float left, float top, float right, float bottom,
                                            std::uint32_t diffuse, bool textured) {
  const float shift = textured ? 0.5f : 0.0f;
  left -= shift;
  top -= shift;
  right -= shift;
  bottom -= shift;
  return {{left, top, 0, 1, diffuse, 0, 0},
          {right, top, 0, 1, diffuse, 1, 0},
          {right, bottom, 0, 1, diffuse, 1, 1},
          {left, bottom, 0, 1, diffuse, 0, 1}};
}

void GlDeviceTest::SetUp() { OpenDevice(640, 480); }

void GlDeviceTest::OpenDevice(int windowWidth, int windowHeight, GlPresentation presentation,
                              bool prepareAhead) {
  std::string error;
  api_ = GlGraphicsApi::CreateWithOwnWindow(windowWidth, windowHeight, error, presentation);
  ASSERT_NE(api_, nullptr) << error;
  if (prepareAhead) {
    // The context current before (none here) is current again afterwards.
    SDL_GLContext before = SDL_GL_GetCurrentContext();
    api_->PrepareAhead();
    ASSERT_EQ(SDL_GL_GetCurrentContext(), before);
  }
  ASSERT_EQ(api_->CreateObject(SdkVersion), Ok);
  PresentParameters parameters = WindowedParameters();
  ASSERT_EQ(api_->CreateDevice(devtype::Hal, 0, create::HardwareVertexProcessing, parameters), Ok);
  ASSERT_EQ(api_->CreateVertexBuffer(kBatch * sizeof(TransformedVertex),
                                     usage::WriteOnly | usage::Dynamic, FvfXyzRhwDiffuseTex1,
                                     pool::Default, vertexBuffer_),
            Ok);
  ASSERT_EQ(api_->CreateIndexBuffer(kBatch * 2, usage::WriteOnly | usage::Dynamic, format::Index16,
                                    pool::Default, indexBuffer_),
            Ok);
  // The stage set-up the canvas uses: texture times diffuse, colour and alpha.
  ASSERT_EQ(api_->SetRenderState(rs::CullMode, cull::None), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorOp, top::Modulate), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaOp, top::Modulate), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::AlphaArg2, ta::Diffuse), Ok);
  ASSERT_EQ(api_->SetTextureStageState(0, tss::ColorArg2, ta::Diffuse), Ok);
}

void GlDeviceTest::TearDown() {
  if (!api_) return;
  api_->ReleaseBuffer(vertexBuffer_);
  api_->ReleaseBuffer(indexBuffer_);
  api_->ReleaseDevice();
  api_->ReleaseObject();
}

PresentParameters GlDeviceTest::WindowedParameters(std::uint32_t width, std::uint32_t height,
                                                   std::uint32_t backBufferFormat) const {
  PresentParameters parameters;
  parameters.backBufferFormat = backBufferFormat;
  parameters.backBufferWidth = width;
  parameters.backBufferHeight = height;
  parameters.swapEffect = present::SwapEffectDiscard;
  parameters.windowed = -1;
  parameters.presentationInterval = present::IntervalImmediate;
  return parameters;
}

void GlDeviceTest::EndFrame() {
  if (!inScene_) return;
  inScene_ = false;
  ASSERT_EQ(api_->EndScene(), Ok);
}

void GlDeviceTest::BeginFrame(std::uint32_t clearColor) {
  pixelsValid_ = false;
  EndFrame();
  ASSERT_EQ(api_->Clear(clear::Target, clearColor, 1.0f, 0), Ok);
  ASSERT_EQ(api_->BeginScene(), Ok);
  inScene_ = true;
}

void GlDeviceTest::Upload(const std::vector<TransformedVertex>& vertices,
                          const std::vector<std::uint16_t>& indices) {
  pixelsValid_ = false;
  void* data = nullptr;
  const auto vertexBytes = static_cast<std::uint32_t>(vertices.size() * sizeof(TransformedVertex));
  ASSERT_EQ(api_->LockBuffer(vertexBuffer_, 0, vertexBytes, &data, lock::Discard), Ok);
  std::memcpy(data, vertices.data(), vertexBytes);
  ASSERT_EQ(api_->UnlockBuffer(vertexBuffer_), Ok);
  if (!indices.empty()) {
    const auto indexBytes = static_cast<std::uint32_t>(indices.size() * 2);
    ASSERT_EQ(api_->LockBuffer(indexBuffer_, 0, indexBytes, &data, lock::Discard), Ok);
    std::memcpy(data, indices.data(), indexBytes);
    ASSERT_EQ(api_->UnlockBuffer(indexBuffer_), Ok);
  }
  ASSERT_EQ(api_->SetStreamSource(0, vertexBuffer_, 0, sizeof(TransformedVertex)), Ok);
  ASSERT_EQ(api_->SetIndices(indexBuffer_), Ok);
  ASSERT_EQ(api_->SetVertexShader(FixedFunction), Ok);
  ASSERT_EQ(api_->SetFVF(FvfXyzRhwDiffuseTex1), Ok);
  // As the canvas does: it knows whether it wrote only white diffuse colours.
  api_->SetUntinted(std::all_of(vertices.begin(), vertices.end(),
                                [](const auto& vertex) { return vertex.diffuse == 0xFFFFFFFF; }));
}

void GlDeviceTest::DrawQuads(const std::vector<TransformedVertex>& vertices) {
  std::vector<std::uint16_t> indices;
  for (std::uint16_t v = 0; v + 3u < vertices.size(); v += 4) {
    indices.insert(indices.end(),
                   {v, static_cast<std::uint16_t>(v + 1), static_cast<std::uint16_t>(v + 3),
                    static_cast<std::uint16_t>(v + 1), static_cast<std::uint16_t>(v + 2),
                    static_cast<std::uint16_t>(v + 3)});
  }
  Upload(vertices, indices);
  const auto count = static_cast<std::uint32_t>(vertices.size());
  ASSERT_EQ(api_->DrawIndexedPrimitive(prim::TriangleList, 0, 0, count, 0,
                                       static_cast<std::uint32_t>(indices.size() / 3)),
            Ok);
}

void GlDeviceTest::DrawLines(const std::vector<TransformedVertex>& vertices) {
  std::vector<std::uint16_t> indices;
  for (std::uint16_t v = 0; v < vertices.size(); ++v) indices.push_back(v);
  Upload(vertices, indices);
  const auto count = static_cast<std::uint32_t>(vertices.size());
  ASSERT_EQ(api_->DrawIndexedPrimitive(prim::LineList, 0, 0, count, 0, count / 2), Ok);
}

void GlDeviceTest::DrawPoints(const std::vector<TransformedVertex>& vertices) {
  Upload(vertices, {});
  ASSERT_EQ(api_->DrawPrimitive(prim::PointList, 0, static_cast<std::uint32_t>(vertices.size())),
            Ok);
}

void GlDeviceTest::SetBlend(std::uint32_t source, std::uint32_t destination, std::uint32_t op) {
  ASSERT_EQ(api_->SetRenderState(rs::AlphaBlendEnable, 1), Ok);
  ASSERT_EQ(api_->SetRenderState(rs::SrcBlend, source), Ok);
  ASSERT_EQ(api_->SetRenderState(rs::DestBlend, destination), Ok);
  ASSERT_EQ(api_->SetRenderState(rs::BlendOp, op), Ok);
}

TextureHandle GlDeviceTest::MakeTexture(std::uint32_t format, std::uint32_t width,
                                        std::uint32_t height,
                                        const std::vector<std::uint32_t>& texels) {
  static const std::uint32_t kBytes[] = {0, 4, 4, 2, 2, 2, 2, 1, 1, 2, 2};  // formats 20..30
  const std::uint32_t bytes = kBytes[format - 20];
  TextureHandle texture{};
  EXPECT_EQ(api_->CreateTexture(width, height, 1, 0, format, pool::Managed, texture), Ok);
  LockedRect locked;
  EXPECT_EQ(api_->LockRect(texture, 0, locked, nullptr, 0), Ok);
  if (locked.bits == nullptr) return texture;
  for (std::uint32_t y = 0; y < height; ++y) {
    auto* row = static_cast<std::uint8_t*>(locked.bits) + std::size_t{y} * locked.pitch;
    for (std::uint32_t x = 0; x < width; ++x) {
      std::memcpy(row + x * bytes, &texels[std::size_t{y} * width + x], bytes);  // little-endian
    }
  }
  EXPECT_EQ(api_->UnlockRect(texture, 0), Ok);
  return texture;
}

std::vector<std::uint32_t> GlDeviceTest::Target() {
  std::vector<std::uint32_t> pixels;
  EXPECT_TRUE(api_->ReadTargetPixels(pixels));
  return pixels;
}

std::uint32_t GlDeviceTest::Pixel(int x, int y) {
  if (!pixelsValid_) {
    pixels_ = Target();
    pixelsValid_ = true;
  }
  return pixels_.at(static_cast<std::size_t>(y) * 640 + static_cast<std::size_t>(x));
}

}  // namespace tvx::test
