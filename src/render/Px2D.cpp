#include "render/Px2D.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "render/PxImages.h"

namespace tvx {

namespace {

constexpr std::uint32_t kVertexStride = sizeof(gfx::TransformedVertex);
constexpr std::uint32_t kBufferUsage = gfx::usage::WriteOnly | gfx::usage::Dynamic;
constexpr std::int32_t kMinVertexCache = 512;
constexpr std::int32_t kMaxVertexCache = 65536;
constexpr std::uint32_t kTextureStages = 8;
// Set on the state key of tinted quads so that white and tinted quads never share a batch;
// ApplyEffect ignores it.
constexpr std::int32_t kTintedKey = 0x10000000;
constexpr std::uint32_t kTrue = 1;
constexpr std::uint32_t kFalse = 0;

// Blend factor and operation indices of an effect code; the platform's factor values are
// the index plus one, and operation index 1 is reverse subtract, 2 subtract (deliberate).
constexpr std::array<std::uint32_t, 11> kBlendFactors = {
    gfx::blend::Zero,         gfx::blend::One,          gfx::blend::SrcColor,
    gfx::blend::InvSrcColor,  gfx::blend::SrcAlpha,     gfx::blend::InvSrcAlpha,
    gfx::blend::DestAlpha,    gfx::blend::InvDestAlpha, gfx::blend::DestColor,
    gfx::blend::InvDestColor, gfx::blend::SrcAlphaSat};
constexpr std::array<std::uint32_t, 5> kBlendOps = {gfx::blendop::Add, gfx::blendop::RevSubtract,
                                                    gfx::blendop::Subtract, gfx::blendop::Min,
                                                    gfx::blendop::Max};

// Indices outside the tables (the special codes have such bytes) fall back to one and add.
std::uint32_t BlendFactor(std::uint32_t index) {
  return index < kBlendFactors.size() ? kBlendFactors[index] : gfx::blend::One;
}
std::uint32_t BlendOp(std::uint32_t index) {
  return index < kBlendOps.size() ? kBlendOps[index] : gfx::blendop::Add;
}

// The fixed texture-stage setups of the special effect codes 0x7FFFFFF0..0x7FFFFFF6.
struct SpecialEffect {
  std::uint32_t srcBlend, destBlend;  // 0 = left as step 1 set it
  std::uint32_t colorOp, alphaOp;     // alphaOp 0 = left as it is
};
constexpr DrawEffect kFirstSpecial = 0x7FFFFFF0;
constexpr DrawEffect kDotProductSpecial = 0x7FFFFFF5;
constexpr std::uint32_t kDotProductFactor = 0xBBFFBBFF;
constexpr std::array<SpecialEffect, 7> kSpecialEffects = {{
    {gfx::blend::SrcAlpha, gfx::blend::One, gfx::top::Modulate2x, gfx::top::Modulate},
    {gfx::blend::DestColor, gfx::blend::One, gfx::top::Modulate2x, gfx::top::Modulate},
    {gfx::blend::DestColor, gfx::blend::One, gfx::top::Modulate4x, gfx::top::Modulate},
    {gfx::blend::SrcAlpha, gfx::blend::InvSrcAlpha, gfx::top::Modulate2x, gfx::top::Modulate},
    {gfx::blend::SrcAlpha, gfx::blend::InvSrcAlpha, gfx::top::Modulate4x, gfx::top::Modulate},
    {0, 0, gfx::top::DotProduct3, 0},
    {gfx::blend::SrcAlpha, gfx::blend::InvSrcAlpha, gfx::top::MultiplyAdd, gfx::top::Modulate},
}};

}  // namespace

TPx2D::TPx2D(TComponent* owner) : TPxDeviceSubscriber(owner) {}

TPx2D::~TPx2D() { ReleaseAll(); }

void TPx2D::SetAlphaTesting(bool value) {
  if (!initialized_) alphaTesting_ = value;
}

void TPx2D::SetVertexCache(std::int32_t value) {
  if (initialized_) return;
  const std::int64_t roundedUp = (std::int64_t{value} + 3) / 4 * 4;
  vertexCache_ = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(roundedUp, kMinVertexCache, kMaxVertexCache));
}

void TPx2D::SetAntialias(bool value) {
  antialias_ = value;
  if (!initialized_) return;
  Flush();
  SetFilters();
}

void TPx2D::SetDithering(bool value) {
  dithering_ = value;
  if (!initialized_) return;
  Flush();
  api_->SetRenderState(gfx::rs::DitherEnable, dithering_ ? kTrue : kFalse);
}

void TPx2D::SetFilters() {
  const std::uint32_t filter = antialias_ ? gfx::texf::Linear : gfx::texf::Point;
  api_->SetSamplerState(0, gfx::samp::MagFilter, filter);
  api_->SetSamplerState(0, gfx::samp::MinFilter, filter);
}

bool TPx2D::HandleNotification(std::int32_t code) {
  switch (code) {
    case NotifyInitialize:
      return Initialize();
    case NotifyFinalize:
      ReleaseAll();
      return true;
    case NotifyLost:
      if (initialized_) {
        ReleaseBuffers();
        lost_ = true;
      }
      return true;
    case NotifyRestored:
      if (initialized_) {
        if (CreateBuffers()) {
          EmptyBatch();
        } else {
          ReleaseAll();
        }
        lost_ = false;
      }
      return true;
    case NotifyEndScene:
    case NotifyFlush:
      if (initialized_) {
        Flush();
        needsReset_ = true;
      }
      return true;
    default:
      return true;
  }
}

bool TPx2D::Initialize() {
  ReleaseAll();
  TPxDevice* device = Device();
  if (device == nullptr) return false;
  api_ = &device->Api();
  if (!CreateBuffers()) {
    api_ = nullptr;
    return false;
  }
  const auto capacity = static_cast<std::size_t>(vertexCache_);
  vertices_ = std::make_unique<gfx::TransformedVertex[]>(capacity);
  for (std::size_t i = 0; i < capacity; ++i)
    vertices_[i] = gfx::TransformedVertex{0, 0, 0.0f, 1.0f, 0, 0, 0};
  indices_ = std::make_unique<std::uint16_t[]>(capacity);
  EmptyBatch();
  lost_ = false;
  needsReset_ = true;
  initialized_ = true;
  return true;
}

bool TPx2D::CreateBuffers() {
  ReleaseBuffers();  // a restore without a loss must not leak the old pair
  const auto capacity = static_cast<std::uint32_t>(vertexCache_);
  if (!gfx::Succeeded(api_->CreateVertexBuffer(capacity * kVertexStride, kBufferUsage,
                                               gfx::FvfXyzRhwDiffuseTex1, gfx::pool::Default,
                                               vertexBuffer_))) {
    vertexBuffer_ = gfx::NoBuffer;
    return false;
  }
  if (!gfx::Succeeded(api_->CreateIndexBuffer(capacity * sizeof(std::uint16_t), kBufferUsage,
                                              gfx::format::Index16, gfx::pool::Default,
                                              indexBuffer_))) {
    indexBuffer_ = gfx::NoBuffer;
    ReleaseBuffers();
    return false;
  }
  return true;
}

void TPx2D::ReleaseBuffers() {
  if (vertexBuffer_ != gfx::NoBuffer) api_->ReleaseBuffer(vertexBuffer_);
  if (indexBuffer_ != gfx::NoBuffer) api_->ReleaseBuffer(indexBuffer_);
  vertexBuffer_ = indexBuffer_ = gfx::NoBuffer;
}

void TPx2D::ReleaseAll() {
  if (api_ != nullptr) ReleaseBuffers();
  vertices_.reset();
  indices_.reset();
  EmptyBatch();
  api_ = nullptr;
  initialized_ = false;
}

void TPx2D::EmptyBatch() {
  vertexCount_ = indexCount_ = primitiveCount_ = 0;
  batchTinted_ = false;
  kind_ = PrimitiveKind::None;
  currentImage_ = nullptr;
  currentTextureIndex_ = kNothingBound;
  currentEffect_ = EffectNone;
}

void TPx2D::ResetStates() {
  if (!initialized_) return;
  EmptyBatch();
  gfx::IGraphicsApi& api = *api_;
  api.SetRenderState(gfx::rs::Lighting, kFalse);
  api.SetRenderState(gfx::rs::CullMode, gfx::cull::None);
  api.SetRenderState(gfx::rs::ZEnable, kFalse);
  api.SetRenderState(gfx::rs::FogEnable, kFalse);
  api.SetRenderState(gfx::rs::AlphaFunc, gfx::cmp::GreaterEqual);
  api.SetRenderState(gfx::rs::AlphaRef, 1);
  api.SetRenderState(gfx::rs::AlphaTestEnable, kFalse);
  for (std::uint32_t stage = 0; stage < kTextureStages; ++stage) {
    api.SetTextureStageState(stage, gfx::tss::TexCoordIndex, 0);
    api.SetTextureStageState(stage, gfx::tss::TextureTransformFlags, gfx::TextureTransformDisable);
    api.SetTexture(stage, gfx::NoTexture);
    api.SetTextureStageState(stage, gfx::tss::ColorArg1, gfx::ta::Texture);
    api.SetTextureStageState(stage, gfx::tss::AlphaArg1, gfx::ta::Texture);
    api.SetTextureStageState(stage, gfx::tss::ColorArg2, gfx::ta::Diffuse);
    api.SetTextureStageState(stage, gfx::tss::AlphaArg2, gfx::ta::Diffuse);
  }
  api.SetRenderState(gfx::rs::DitherEnable, dithering_ ? kTrue : kFalse);
  SetFilters();
  needsReset_ = false;
  batches_ = indicesAdded_ = verticesAdded_ = 0;
}

void TPx2D::ApplyEffect(std::int32_t effect) {
  gfx::IGraphicsApi& api = *api_;
  const auto code = static_cast<std::uint32_t>(effect);
  const std::uint32_t src = code & 0xFF, dest = (code >> 8) & 0xFF, op = (code >> 16) & 0xFF;
  const bool blended = src != 1 || dest != 0 || op != 0;
  api.SetRenderState(gfx::rs::AlphaBlendEnable, blended ? kTrue : kFalse);
  if (alphaTesting_) api.SetRenderState(gfx::rs::AlphaTestEnable, blended ? kTrue : kFalse);
  if (blended) {
    api.SetRenderState(gfx::rs::SrcBlend, BlendFactor(src));
    api.SetRenderState(gfx::rs::DestBlend, BlendFactor(dest));
    api.SetRenderState(gfx::rs::BlendOp, BlendOp(op));
  }
  const std::int64_t special = std::int64_t{effect} - kFirstSpecial;
  if (special < 0 || special >= static_cast<std::int64_t>(kSpecialEffects.size())) {
    api.SetTextureStageState(0, gfx::tss::ColorOp, gfx::top::Modulate);
    api.SetTextureStageState(0, gfx::tss::AlphaOp, gfx::top::Modulate);
    return;
  }
  const SpecialEffect& setup = kSpecialEffects[static_cast<std::size_t>(special)];
  if (setup.srcBlend != 0) api.SetRenderState(gfx::rs::SrcBlend, setup.srcBlend);
  if (setup.destBlend != 0) api.SetRenderState(gfx::rs::DestBlend, setup.destBlend);
  if (effect == kDotProductSpecial) {
    api.SetRenderState(gfx::rs::TextureFactor, kDotProductFactor);
    api.SetTextureStageState(0, gfx::tss::ColorArg2, gfx::ta::TFactor);
  }
  api.SetTextureStageState(0, gfx::tss::ColorOp, setup.colorOp);
  if (setup.alphaOp != 0) api.SetTextureStageState(0, gfx::tss::AlphaOp, setup.alphaOp);
}

void TPx2D::PrepareBatch(PrimitiveKind kind, std::int32_t vertices, std::int32_t indices,
                         TPxImage* image, std::int32_t textureIndex, std::int32_t stateKey) {
  if (needsReset_) ResetStates();
  if (vertexCount_ + vertices > vertexCache_ || indexCount_ + indices > vertexCache_ ||
      (kind_ != kind && kind_ != PrimitiveKind::None)) {
    Flush();
  }
  if (stateKey == EffectNone || stateKey != currentEffect_) {
    Flush();
    ApplyEffect(stateKey);
    currentEffect_ = stateKey;
  }
  if (currentTextureIndex_ == kNothingBound || image != currentImage_ ||
      textureIndex != currentTextureIndex_) {
    Flush();
    if (image != nullptr && textureIndex != kNoTexture) {
      image->BindTexture(0, textureIndex);
    } else {
      api_->SetTexture(0, gfx::NoTexture);
    }
    currentImage_ = image;
    currentTextureIndex_ = textureIndex;
  }
  kind_ = kind;
}

void TPx2D::Flush() {
  if (vertexCount_ > 0 && primitiveCount_ > 0 && !lost_ && initialized_) {
    SendBatch();
    ++batches_;
  }
  vertexCount_ = indexCount_ = primitiveCount_ = 0;
  batchTinted_ = false;
  kind_ = PrimitiveKind::None;
}

bool TPx2D::CopyToBuffer(gfx::BufferHandle buffer, const void* source, std::uint32_t bytes) {
  void* target = nullptr;
  if (!gfx::Succeeded(api_->LockBuffer(buffer, 0, bytes, &target, gfx::lock::Discard))) {
    return false;
  }
  std::memcpy(target, source, bytes);
  return gfx::Succeeded(api_->UnlockBuffer(buffer));
}

void TPx2D::SendBatch() {
  gfx::IGraphicsApi& api = *api_;
  const auto vertexCount = static_cast<std::uint32_t>(vertexCount_);
  const auto primitiveCount = static_cast<std::uint32_t>(primitiveCount_);
  // Each step runs only if the one before it succeeded; a failure drops the batch.
  const bool ready =
      CopyToBuffer(vertexBuffer_, vertices_.get(), vertexCount * kVertexStride) &&
      CopyToBuffer(indexBuffer_, indices_.get(),
                   static_cast<std::uint32_t>(indexCount_) * sizeof(std::uint16_t)) &&
      gfx::Succeeded(api.SetStreamSource(0, vertexBuffer_, 0, kVertexStride)) &&
      gfx::Succeeded(api.SetIndices(indexBuffer_)) &&
      gfx::Succeeded(api.SetVertexShader(gfx::FixedFunction)) &&
      gfx::Succeeded(api.SetFVF(gfx::FvfXyzRhwDiffuseTex1));
  if (!ready) return;
  const std::uint32_t type =
      kind_ == PrimitiveKind::Lines ? gfx::prim::LineList : gfx::prim::TriangleList;
  api.SetUntinted(!batchTinted_);
  api.DrawIndexedPrimitive(type, 0, 0, vertexCount, 0, primitiveCount);
}

void TPx2D::DrawLine(const FloatPoint& p1, const FloatPoint& p2, CanvasColor color1,
                     CanvasColor color2, DrawEffect effect) {
  if (!initialized_) return;
  PrepareBatch(PrimitiveKind::Lines, 2, 2, nullptr, kNoTexture, effect);
  const auto v = static_cast<std::uint16_t>(vertexCount_);
  indices_[indexCount_] = v;
  indices_[indexCount_ + 1] = static_cast<std::uint16_t>(v + 1);
  gfx::TransformedVertex& first = vertices_[v];
  first.x = p1.x;
  first.y = p1.y;
  first.diffuse = DeviceColor(color1);
  gfx::TransformedVertex& second = vertices_[v + 1];
  second.x = p2.x;
  second.y = p2.y;
  second.diffuse = DeviceColor(color2);
  if ((color1 & color2) != ColorWhite) batchTinted_ = true;
  vertexCount_ += 2;
  indexCount_ += 2;
  primitiveCount_ += 1;
  verticesAdded_ += 2;
  indicesAdded_ += 2;
}

gfx::TransformedVertex* TPx2D::AddQuad(TPxImage* image, std::int32_t textureIndex,
                                       const CanvasColor4& colors, DrawEffect effect) {
  const bool untinted = (colors.c[0] & colors.c[1] & colors.c[2] & colors.c[3]) == ColorWhite;
  PrepareBatch(PrimitiveKind::Triangles, 4, 6, image, textureIndex,
               untinted ? effect : effect | kTintedKey);
  if (!untinted) batchTinted_ = true;
  const auto v = static_cast<std::uint16_t>(vertexCount_);
  // Triangles top-left, top-right, bottom-left and top-right, bottom-right, bottom-left.
  constexpr std::array<std::uint16_t, 6> kQuadCorners = {0, 1, 3, 1, 2, 3};
  for (std::size_t i = 0; i < kQuadCorners.size(); ++i) {
    indices_[indexCount_ + static_cast<std::int32_t>(i)] =
        static_cast<std::uint16_t>(v + kQuadCorners[i]);
  }
  gfx::TransformedVertex* corners = &vertices_[v];
  vertexCount_ += 4;
  indexCount_ += 6;
  primitiveCount_ += 2;
  verticesAdded_ += 4;
  indicesAdded_ += 6;
  return corners;
}

void TPx2D::FillQuad(const FloatQuad& quad, const CanvasColor4& colors, DrawEffect effect) {
  if (!initialized_) return;
  gfx::TransformedVertex* corners = AddQuad(nullptr, kNoTexture, colors, effect);
  for (int i = 0; i < 4; ++i) {
    corners[i].x = quad.p[i].x;
    corners[i].y = quad.p[i].y;
    corners[i].diffuse = DeviceColor(colors.c[i]);
  }
}

void TPx2D::DrawTexturedQuad(const FloatQuad& quad, const FloatQuad& texCoords,
                             const CanvasColor4& colors, TPxImage* image, std::int32_t textureIndex,
                             DrawEffect effect) {
  if (!initialized_) return;
  gfx::TransformedVertex* corners = AddQuad(image, textureIndex, colors, effect);
  for (int i = 0; i < 4; ++i) {
    // Texel centres meet pixel centres half a pixel up and left.
    corners[i].x = quad.p[i].x - 0.5f;
    corners[i].y = quad.p[i].y - 0.5f;
    corners[i].diffuse = DeviceColor(colors.c[i]);
    corners[i].u = texCoords.p[i].x;
    corners[i].v = texCoords.p[i].y;
  }
}

void TPx2D::DrawPatternQuad(TPxImage* image, const FloatQuad& quad, const CanvasColor4& colors,
                            const PatternSelection& selection, DrawEffect effect) {
  if (image == nullptr) return;
  FloatQuad texCoords{};
  std::int32_t textureIndex = kNoTexture;
  if (!image->PatternCoordinates(selection, texCoords, textureIndex)) return;
  DrawTexturedQuad(quad, texCoords, colors, image, textureIndex, effect);
}

void TPx2D::OutlineQuad(const FloatQuad& quad, const CanvasColor4& colors, DrawEffect effect) {
  FloatQuad q = quad;
  const bool axisAligned =
      q.p[0].y == q.p[1].y && q.p[2].y == q.p[3].y && q.p[0].x == q.p[3].x && q.p[1].x == q.p[2].x;
  if (axisAligned) {
    // Pulls the right and bottom edges inside the area a fill of the same rectangle covers.
    q.p[1].x -= 1;
    q.p[2].x -= 1;
    q.p[2].y -= 1;
    q.p[3].y -= 1;
  }
  for (int i = 0; i < 4; ++i) {
    const int next = (i + 1) % 4;
    DrawLine(q.p[i], q.p[next], colors.c[i], colors.c[next], effect);
  }
}

}  // namespace tvx
