// Dynamic buffers, drawing and the render, texture-stage and sampler states.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gl/GlGraphicsInternal.h"
#include "platform/gl/GlStagePrograms.h"

namespace tvx {
namespace {

using namespace gfx;

constexpr std::uint32_t kVertexSize = sizeof(TransformedVertex);
constexpr std::uint32_t kCullNone = cull::None;
constexpr std::uint32_t kCullCounterClockwise = 3;
constexpr std::uint32_t kCmpNever = 1;
constexpr std::uint32_t kCmpAlways = 8;
constexpr std::uint32_t kArgumentModifiers = 0x30;  // complement, alpha replicate

// A byte offset into the bound buffer, in the pointer argument GL takes it as.
const void* BufferOffset(std::uintptr_t offset) { return reinterpret_cast<const void*>(offset); }

bool IsBlendFactor(std::uint32_t factor) {
  return factor >= blend::Zero && factor <= blend::SrcAlphaSat;
}

GLenum BlendFactorOf(std::uint32_t factor) {
  switch (factor) {
    case blend::Zero:
      return GL_ZERO;
    case blend::One:
      return GL_ONE;
    case blend::SrcColor:
      return GL_SRC_COLOR;
    case blend::InvSrcColor:
      return GL_ONE_MINUS_SRC_COLOR;
    case blend::SrcAlpha:
      return GL_SRC_ALPHA;
    case blend::InvSrcAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
    case blend::DestAlpha:
      return GL_DST_ALPHA;
    case blend::InvDestAlpha:
      return GL_ONE_MINUS_DST_ALPHA;
    case blend::DestColor:
      return GL_DST_COLOR;
    case blend::InvDestColor:
      return GL_ONE_MINUS_DST_COLOR;
    case blend::SrcAlphaSat:
      return GL_SRC_ALPHA_SATURATE;
    default:
      return 0;
  }
}

GLenum BlendEquationOf(std::uint32_t op) {
  switch (op) {
    case blendop::Add:
      return GL_FUNC_ADD;
    case blendop::Subtract:
      return GL_FUNC_SUBTRACT;
    case blendop::RevSubtract:
      return GL_FUNC_REVERSE_SUBTRACT;
    case blendop::Min:
      return GL_MIN;
    case blendop::Max:
      return GL_MAX;
    default:
      return 0;
  }
}

bool IsStageOperation(std::uint32_t op) {
  switch (op) {
    case top::Disable:
    case top::SelectArg1:
    case top::SelectArg2:
    case top::Modulate:
    case top::Modulate2x:
    case top::Modulate4x:
    case top::DotProduct3:
    case top::MultiplyAdd:
      return true;
    default:
      return false;
  }
}

bool IsStageArgument(std::uint32_t arg) { return (arg & ~kArgumentModifiers) <= ta::TFactor; }

std::uint32_t VerticesOf(std::uint32_t type, std::uint32_t primitives) {
  switch (type) {
    case prim::PointList:
      return primitives;
    case prim::LineList:
      return primitives * 2;
    case prim::TriangleList:
      return primitives * 3;
    default:
      return 0;
  }
}

GLenum ModeOf(std::uint32_t type) {
  switch (type) {
    case prim::PointList:
      return GL_POINTS;
    case prim::LineList:
      return GL_LINES;
    default:
      return GL_TRIANGLES;
  }
}

TransformedVertex VertexAt(const std::uint8_t* origin, std::uint32_t index) {
  TransformedVertex vertex;
  std::memcpy(&vertex, origin + std::size_t{index} * kVertexSize, kVertexSize);
  return vertex;
}

// Whether the triangle maps pixels onto texels by a shift of whole texels, with texel
// centres on D3D's pixel centres: u * width - x is the same half-integer at every corner,
// and likewise for v, and rhw is constant. (Three corners fix the affine map, so this
// rules out any scale, mirror or turn.)
bool TriangleIsTexelAligned(const TransformedVertex (&corners)[3], float width, float height) {
  const float shiftX = corners[0].u * width - corners[0].x;
  const float shiftY = corners[0].v * height - corners[0].y;
  for (const TransformedVertex& c : corners) {
    if (c.u * width - c.x != shiftX || c.v * height - c.y != shiftY || c.rhw != corners[0].rhw) {
      return false;
    }
  }
  return shiftX - 0.5f == std::floor(shiftX - 0.5f) && shiftY - 0.5f == std::floor(shiftY - 0.5f);
}

// Sprites drawn unscaled at whole pixels read every texel at its centre, where linear
// filtering takes that texel alone; point filtering then gives the same picture for much
// less work on a software rasteriser. `indices` (into `origin`) null means the vertices
// from `origin` on in order.
bool DrawIsTexelForTexel(const std::uint8_t* origin, const std::uint16_t* indices,
                         std::uint32_t count, float width, float height) {
  for (std::uint32_t i = 0; i + 2 < count; i += 3) {
    TransformedVertex corners[3];
    for (std::uint32_t k = 0; k < 3; ++k) {
      corners[k] = VertexAt(origin, indices != nullptr ? indices[i + k] : i + k);
    }
    if (!TriangleIsTexelAligned(corners, width, height)) return false;
  }
  return true;
}

}  // namespace

GlGraphicsApi::Buffer* GlGraphicsApi::FindBuffer(BufferHandle handle) {
  auto found = buffers_.find(handle);
  return found != buffers_.end() ? found->second.get() : nullptr;
}

Result GlGraphicsApi::CreateVertexBuffer(std::uint32_t length, std::uint32_t /*usage*/,
                                         std::uint32_t /*fvf*/, std::uint32_t /*pool*/,
                                         BufferHandle& buffer) {
  if (context_ == nullptr || length == 0) return Fail;
  auto created = std::make_unique<Buffer>();
  created->bytes.assign(length, 0);
  glGenBuffers(1, &created->id);
  glBindBuffer(GL_ARRAY_BUFFER, created->id);
  glBufferData(GL_ARRAY_BUFFER, length, nullptr, GL_STREAM_DRAW);
  buffer = BufferHandle{nextHandle_++};
  buffers_.emplace(buffer, std::move(created));
  return Ok;
}

Result GlGraphicsApi::CreateIndexBuffer(std::uint32_t length, std::uint32_t /*usage*/,
                                        std::uint32_t fmt, std::uint32_t /*pool*/,
                                        BufferHandle& buffer) {
  if (context_ == nullptr || length == 0 || fmt != format::Index16) return Fail;
  auto created = std::make_unique<Buffer>();
  created->target = GL_ELEMENT_ARRAY_BUFFER;
  created->bytes.assign(length, 0);
  glGenBuffers(1, &created->id);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, created->id);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, length, nullptr, GL_STREAM_DRAW);
  buffer = BufferHandle{nextHandle_++};
  buffers_.emplace(buffer, std::move(created));
  return Ok;
}

Result GlGraphicsApi::LockBuffer(BufferHandle handle, std::uint32_t offset, std::uint32_t size,
                                 void** data, std::uint32_t flags) {
  Buffer* buffer = FindBuffer(handle);
  if (buffer == nullptr || buffer->locked || data == nullptr) return Fail;
  const auto length = static_cast<std::uint32_t>(buffer->bytes.size());
  if (size == 0 && offset <= length) size = length - offset;  // 0 locks the rest
  if (offset > length || size > length - offset) return Fail;
  buffer->locked = true;
  buffer->lockOffset = offset;
  buffer->lockSize = size;
  buffer->lockDiscards = (flags & lock::Discard) != 0;
  *data = buffer->bytes.data() + offset;
  return Ok;
}

Result GlGraphicsApi::UnlockBuffer(BufferHandle handle) {
  Buffer* buffer = FindBuffer(handle);
  if (buffer == nullptr || !buffer->locked) return Fail;
  buffer->locked = false;
  glBindBuffer(buffer->target, buffer->id);
  // A discard lock gives up the old contents, so the driver may hand out fresh storage
  // instead of waiting for draws that still read the old one.
  if (buffer->lockDiscards) {
    glBufferData(buffer->target, static_cast<GLsizeiptr>(buffer->bytes.size()), nullptr,
                 GL_STREAM_DRAW);
  }
  glBufferSubData(buffer->target, buffer->lockOffset, buffer->lockSize,
                  buffer->bytes.data() + buffer->lockOffset);
  return Ok;
}

void GlGraphicsApi::ReleaseBuffer(BufferHandle handle) {
  auto found = buffers_.find(handle);
  if (found == buffers_.end()) return;
  glDeleteBuffers(1, &found->second->id);
  buffers_.erase(found);
  if (states_ && states_->streamBuffer == handle) states_->streamBuffer = NoBuffer;
  if (states_ && states_->indexBuffer == handle) states_->indexBuffer = NoBuffer;
}

Result GlGraphicsApi::SetStreamSource(std::uint32_t stream, BufferHandle vertexBuffer,
                                      std::uint32_t offset, std::uint32_t stride) {
  if (context_ == nullptr || stream != 0) return Fail;
  if (vertexBuffer != NoBuffer && FindBuffer(vertexBuffer) == nullptr) return Fail;
  states_->streamBuffer = vertexBuffer;
  states_->streamOffset = offset;
  states_->streamStride = stride;
  return Ok;
}

Result GlGraphicsApi::SetIndices(BufferHandle indexBuffer) {
  if (context_ == nullptr) return Fail;
  if (indexBuffer != NoBuffer && FindBuffer(indexBuffer) == nullptr) return Fail;
  states_->indexBuffer = indexBuffer;
  return Ok;
}

Result GlGraphicsApi::SetVertexShader(ShaderHandle shader) {
  return context_ != nullptr && shader == FixedFunction ? Ok : Fail;
}

Result GlGraphicsApi::SetFVF(std::uint32_t fvf) {
  if (context_ == nullptr || fvf != FvfXyzRhwDiffuseTex1) return Fail;
  states_->fvf = fvf;
  return Ok;
}

// Checks that the stream holds the vertices [firstVertex, firstVertex + count), points the
// attributes at the stream's vertex originVertex and makes the stage program current.
bool GlGraphicsApi::PrepareDraw(unsigned mode, std::uint32_t originVertex,
                                std::uint32_t firstVertex, std::uint32_t vertexCount,
                                const std::uint16_t* indices, std::uint32_t elementCount) {
  const States& s = *states_;
  Buffer* stream = FindBuffer(s.streamBuffer);
  if (!inScene_ || stream == nullptr || stream->locked || s.fvf != FvfXyzRhwDiffuseTex1 ||
      s.streamStride != kVertexSize) {
    return false;
  }
  const std::uint64_t end =
      s.streamOffset + (std::uint64_t{firstVertex} + vertexCount) * kVertexSize;
  if (end > stream->bytes.size()) return false;

  Texture* texture = FindTexture(s.texture);
  gl::StageKey key;
  key.colorOp = s.colorOp;
  key.colorArg1 = s.colorArg1;
  key.colorArg2 = s.colorArg2;
  key.alphaOp = s.alphaOp;
  key.alphaArg1 = s.alphaArg1;
  key.alphaArg2 = s.alphaArg2;
  key.hasTexture = texture != nullptr;
  const std::uint8_t* origin =
      stream->bytes.data() + s.streamOffset + std::size_t{originVertex} * kVertexSize;
  const std::uint8_t* first = origin + std::size_t{firstVertex - originVertex} * kVertexSize;
  key.whiteDiffuse = untinted_;
  key.alphaFunc = s.alphaTestEnable != 0 ? s.alphaFunc : kCmpAlways;
  const gl::StageUniforms uniforms{s.textureFactor, s.alphaRef, target_->width, target_->height,
                                   mode == GL_LINES};
  if (!programs_->Use(key, uniforms)) return false;
  if (texture != nullptr) {
    const bool linear = s.magFilter == texf::Linear || s.minFilter == texf::Linear;
    const bool exact =
        linear && mode == GL_TRIANGLES && !texture->levels.empty() &&
        DrawIsTexelForTexel(indices != nullptr ? origin : first, indices, elementCount,
                            static_cast<float>(texture->levels.front().width),
                            static_cast<float>(texture->levels.front().height));
    const GLint mag = s.magFilter == texf::Linear && !exact ? GL_LINEAR : GL_NEAREST;
    const GLint min = s.minFilter == texf::Linear && !exact ? GL_LINEAR : GL_NEAREST;
    if (texture->magFilter != mag) {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
      texture->magFilter = mag;
    }
    if (texture->minFilter != min) {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
      texture->minFilter = min;
    }
  }
  glBindBuffer(GL_ARRAY_BUFFER, stream->id);
  // Offsets into the bound buffer are summed as integers: adding to a null pointer is undefined.
  const std::uintptr_t base =
      std::uintptr_t{s.streamOffset} + std::uintptr_t{originVertex} * kVertexSize;
  glVertexAttribPointer(gl::kPositionAttribute, 4, GL_FLOAT, GL_FALSE, kVertexSize,
                        BufferOffset(base));
  glVertexAttribPointer(gl::kColorAttribute, 4, GL_UNSIGNED_BYTE, GL_TRUE, kVertexSize,
                        BufferOffset(base + 16));
  glVertexAttribPointer(gl::kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, kVertexSize,
                        BufferOffset(base + 20));
  return true;
}

Result GlGraphicsApi::DrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                                    std::uint32_t primitiveCount) {
  if (context_ == nullptr) return Fail;
  if (!drawing_) return Ok;
  const std::uint32_t count = VerticesOf(type, primitiveCount);
  if (count == 0 || !PrepareDraw(ModeOf(type), 0, startVertex, count, nullptr, count)) {
    return Fail;
  }
  glDrawArrays(ModeOf(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
  return Ok;
}

Result GlGraphicsApi::DrawIndexedPrimitive(std::uint32_t type, std::int32_t baseVertex,
                                           std::uint32_t /*minIndex*/,
                                           std::uint32_t /*numVertices*/, std::uint32_t startIndex,
                                           std::uint32_t primitiveCount) {
  if (context_ == nullptr || baseVertex < 0) return Fail;
  if (!drawing_) return Ok;
  const std::uint32_t count = VerticesOf(type, primitiveCount);
  Buffer* indices = FindBuffer(states_->indexBuffer);
  if (count == 0 || indices == nullptr || indices->locked ||
      (std::uint64_t{startIndex} + count) * 2 > indices->bytes.size()) {
    return Fail;
  }
  // The indices are checked against the vertex buffer, not against the caller's range, so
  // that no draw can read outside the buffer.
  const auto* first = reinterpret_cast<const std::uint16_t*>(indices->bytes.data()) + startIndex;
  const auto [low, high] = std::minmax_element(first, first + count);
  // The base vertex moves the attribute origin, so the indices go to GL as they are.
  const auto origin = static_cast<std::uint32_t>(baseVertex);
  if (!PrepareDraw(ModeOf(type), origin, origin + *low, std::uint32_t{*high} + 1 - *low, first,
                   count)) {
    return Fail;
  }
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices->id);
  glDrawRangeElements(ModeOf(type), *low, *high, static_cast<GLsizei>(count), GL_UNSIGNED_SHORT,
                      reinterpret_cast<const void*>(std::uintptr_t{startIndex} * 2));
  return Ok;
}

void GlGraphicsApi::ApplyBlendStates() {
  const States& s = *states_;
  if (s.alphaBlendEnable == 0) {
    glDisable(GL_BLEND);
    return;
  }
  glEnable(GL_BLEND);
  glBlendFunc(BlendFactorOf(s.srcBlend), BlendFactorOf(s.destBlend));
  glBlendEquation(BlendEquationOf(s.blendOp));
}

// D3D's winding is seen with y down; the target keeps y as GL's window y, so a triangle
// clockwise for D3D is counter-clockwise for GL. (The window's upper-left clip origin flips
// y and the facing test together, so the same holds there.)
void GlGraphicsApi::ApplyCullMode() {
  if (states_->cullMode == kCullNone) {
    glDisable(GL_CULL_FACE);
    return;
  }
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glCullFace(states_->cullMode == kCullCounterClockwise ? GL_BACK : GL_FRONT);
}

void GlGraphicsApi::ApplyDepthState() {
  if (states_->zEnable != 0 && target_->depth != 0) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
}

// Sets GL to the states held, as after device creation or Reset.
void GlGraphicsApi::ResetStates() {
  PlaceTarget();
  glEnableVertexAttribArray(gl::kPositionAttribute);
  glEnableVertexAttribArray(gl::kColorAttribute);
  glEnableVertexAttribArray(gl::kTexCoordAttribute);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glPointSize(1.0f);
  glDepthMask(GL_TRUE);
  states_->zEnable = parameters_.enableAutoDepthStencil != 0 ? 1 : 0;
  glDisable(GL_DITHER);
  ApplyBlendStates();
  ApplyDepthState();
}

Result GlGraphicsApi::SetRenderState(std::uint32_t state, std::uint32_t value) {
  if (context_ == nullptr) return Fail;
  States& s = *states_;
  switch (state) {
    case rs::ZEnable:
      s.zEnable = value;
      ApplyDepthState();
      return Ok;
    case rs::AlphaTestEnable:
      s.alphaTestEnable = value;
      return Ok;
    case rs::SrcBlend:
    case rs::DestBlend:
      if (!IsBlendFactor(value)) return Fail;
      (state == rs::SrcBlend ? s.srcBlend : s.destBlend) = value;
      ApplyBlendStates();
      return Ok;
    case rs::BlendOp:
      if (BlendEquationOf(value) == 0) return Fail;
      s.blendOp = value;
      ApplyBlendStates();
      return Ok;
    case rs::AlphaBlendEnable:
      s.alphaBlendEnable = value;
      ApplyBlendStates();
      return Ok;
    case rs::CullMode:
      if (value < kCullNone || value > kCullCounterClockwise) return Fail;
      s.cullMode = value;
      ApplyCullMode();
      return Ok;
    case rs::AlphaRef:
      s.alphaRef = value;
      return Ok;
    case rs::AlphaFunc:
      if (value < kCmpNever || value > kCmpAlways) return Fail;
      s.alphaFunc = value;
      return Ok;
    case rs::DitherEnable:
      s.ditherEnable = value;
      if (value != 0) {
        glEnable(GL_DITHER);
      } else {
        glDisable(GL_DITHER);
      }
      return Ok;
    // Pre-transformed vertices are neither lit nor fogged; the states are only kept.
    case rs::FogEnable:
      s.fogEnable = value;
      return Ok;
    case rs::Lighting:
      s.lighting = value;
      return Ok;
    case rs::TextureFactor:
      s.textureFactor = value;
      return Ok;
    default:
      return Fail;
  }
}

Result GlGraphicsApi::SetTextureStageState(std::uint32_t stage, std::uint32_t type,
                                           std::uint32_t value) {
  if (context_ == nullptr || stage > 7) return Fail;
  if (stage != 0) return Ok;  // only stage 0 is emulated; the others stay disabled
  States& s = *states_;
  switch (type) {
    case tss::ColorOp:
    case tss::AlphaOp:
      if (!IsStageOperation(value)) return Fail;
      (type == tss::ColorOp ? s.colorOp : s.alphaOp) = value;
      return Ok;
    case tss::ColorArg1:
    case tss::ColorArg2:
    case tss::AlphaArg1:
    case tss::AlphaArg2:
      if (!IsStageArgument(value)) return Fail;
      (type == tss::ColorArg1   ? s.colorArg1
       : type == tss::ColorArg2 ? s.colorArg2
       : type == tss::AlphaArg1 ? s.alphaArg1
                                : s.alphaArg2) = value;
      return Ok;
    case tss::TexCoordIndex:
      return value == 0 ? Ok : Fail;
    case tss::TextureTransformFlags:
      return value == TextureTransformDisable ? Ok : Fail;
    default:
      return Fail;
  }
}

Result GlGraphicsApi::SetSamplerState(std::uint32_t sampler, std::uint32_t type,
                                      std::uint32_t value) {
  if (context_ == nullptr || sampler > 7) return Fail;
  if (value != texf::Point && value != texf::Linear) return Fail;
  if (type != samp::MagFilter && type != samp::MinFilter) return Fail;
  if (sampler == 0) (type == samp::MagFilter ? states_->magFilter : states_->minFilter) = value;
  return Ok;
}

}  // namespace tvx
