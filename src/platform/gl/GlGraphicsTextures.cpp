// Textures: GL keeps them as 8-bit RGBA, from their first upload or draw on; a lock lends a
// copy in the D3D layout, uploaded on unlock and then dropped.
#include <algorithm>

#include "platform/gl/GlGraphicsInternal.h"

namespace tvx {
namespace {

using namespace gfx;

std::uint32_t MipChainLength(std::uint32_t width, std::uint32_t height) {
  std::uint32_t length = 1;
  for (std::uint32_t size = std::max(width, height); size > 1; size /= 2) ++length;
  return length;
}

// 32-bit 0xAARRGGBB little-endian is GL's BGRA with UNSIGNED_INT_8_8_8_8_REV as it is.
bool IsGlTexelLayout(const PixelFields& layout) {
  return layout.bytes == 4 && layout.blueBits == 8 && layout.greenBits == 8 &&
         layout.redBits == 8 && layout.alphaBits == 8;
}

}  // namespace

GlGraphicsApi::Texture* GlGraphicsApi::FindTexture(TextureHandle handle) {
  auto found = textures_.find(handle);
  return found != textures_.end() ? found->second.get() : nullptr;
}

Result GlGraphicsApi::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                    std::uint32_t usageFlags, std::uint32_t fmt,
                                    std::uint32_t /*pool*/, TextureHandle& texture) {
  if (context_ == nullptr) return Fail;
  const std::optional<PixelFields> layout = gfx::TexelLayoutOf(fmt);
  DeviceCaps caps;
  GetDeviceCaps(caps);
  if (!layout || width == 0 || height == 0 || width > caps.maxTextureWidth ||
      height > caps.maxTextureHeight) {
    return Fail;
  }
  auto created = std::make_unique<Texture>();
  created->format = fmt;
  created->layout = *layout;
  const std::uint32_t chain = MipChainLength(width, height);
  // An automatically generated chain shows only its top level, as in D3D, and no sampler
  // here filters between levels: GL keeps that one level alone.
  const bool generated = (usageFlags & usage::AutoGenMipMap) != 0;
  const std::uint32_t stored = generated ? 1 : (levels == 0 ? chain : std::min(levels, chain));

  DiscardGlErrors();
  glGenTextures(1, &created->id);
  glBindTexture(GL_TEXTURE_2D, created->id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(stored - 1));
  for (std::uint32_t level = 0; level < stored; ++level) {
    TextureLevel copy;
    copy.width = std::max(width >> level, 1u);
    copy.height = std::max(height >> level, 1u);
    copy.pitch = (copy.width * layout->bytes + 3) & ~3u;
    created->levels.push_back(std::move(copy));
  }
  RestoreTextureBinding();
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &created->id);
    return Fail;
  }
  texture = TextureHandle{nextHandle_++};
  textures_.emplace(texture, std::move(created));
  return Ok;
}

void GlGraphicsApi::EnsureStorage(Texture& texture) {
  if (texture.storage) return;
  glBindTexture(GL_TEXTURE_2D, texture.id);
  for (std::size_t level = 0; level < texture.levels.size(); ++level) {
    const TextureLevel& copy = texture.levels[level];
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGBA8,
                 static_cast<GLsizei>(copy.width), static_cast<GLsizei>(copy.height), 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
  }
  RestoreTextureBinding();
  texture.storage = true;
}

void GlGraphicsApi::RestoreTextureBinding() {
  const Texture* bound = FindTexture(states_->texture);
  glBindTexture(GL_TEXTURE_2D, bound != nullptr ? bound->id : 0);
}

Result GlGraphicsApi::LockRect(TextureHandle handle, std::uint32_t level, LockedRect& locked,
                               const Rect* rect, std::uint32_t flags) {
  Texture* texture = FindTexture(handle);
  if (texture == nullptr || level >= texture->levels.size()) return Fail;
  TextureLevel& copy = texture->levels[level];
  const Rect whole{0, 0, static_cast<std::int32_t>(copy.width),
                   static_cast<std::int32_t>(copy.height)};
  const Rect area = rect != nullptr ? *rect : whole;
  if (copy.locked || area.left < 0 || area.top < 0 || area.left >= area.right ||
      area.top >= area.bottom || area.right > whole.right || area.bottom > whole.bottom) {
    return Fail;
  }
  FillCopy(*texture, level);
  copy.locked = true;
  copy.lockReadOnly = (flags & lock::ReadOnly) != 0;
  copy.lockRect = area;
  locked.pitch = static_cast<std::int32_t>(copy.pitch);
  locked.bits = copy.bytes.data() + std::size_t(area.top) * copy.pitch +
                std::size_t(area.left) * texture->layout.bytes;
  return Ok;
}

Result GlGraphicsApi::UnlockRect(TextureHandle handle, std::uint32_t level) {
  Texture* texture = FindTexture(handle);
  if (texture == nullptr || level >= texture->levels.size()) return Fail;
  TextureLevel& copy = texture->levels[level];
  if (!copy.locked) return Fail;
  copy.locked = false;
  if (!copy.lockReadOnly) Upload(*texture, level);
  // The buffer serves the next lock; loads lock texture after texture within one frame.
  spareCopy_.swap(copy.bytes);
  copy.bytes.clear();
  return Ok;
}

void GlGraphicsApi::FillCopy(Texture& texture, std::uint32_t level) {
  TextureLevel& copy = texture.levels[level];
  const std::size_t size = std::size_t{copy.pitch} * copy.height;
  copy.bytes.swap(spareCopy_);
  if (!copy.uploaded) {
    copy.bytes.assign(size, 0);
    return;
  }
  // What GL holds, widened to 8 bits per channel, narrows back to the same texels.
  std::vector<std::uint32_t> argb(std::size_t{copy.width} * copy.height);
  glBindTexture(GL_TEXTURE_2D, texture.id);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, static_cast<GLint>(level), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                argb.data());
  RestoreTextureBinding();
  copy.bytes.assign(size, 0);
  const PixelFieldCodec codec(texture.layout);
  for (std::uint32_t row = 0; row < copy.height; ++row) {
    codec.EncodeRow(argb.data() + std::size_t{row} * copy.width,
                    copy.bytes.data() + std::size_t{row} * copy.pitch, copy.width);
  }
}

void GlGraphicsApi::Upload(Texture& texture, std::uint32_t level) {
  TextureLevel& copy = texture.levels[level];
  const Rect& area = copy.lockRect;
  const auto width = static_cast<std::uint32_t>(area.right - area.left);
  const auto height = static_cast<std::uint32_t>(area.bottom - area.top);
  const std::uint8_t* first = copy.bytes.data() + std::size_t(area.top) * copy.pitch +
                              std::size_t(area.left) * texture.layout.bytes;
  std::vector<std::uint32_t> converted;
  const void* pixels = first;
  GLint rowLength = static_cast<GLint>(copy.pitch / 4);
  if (!IsGlTexelLayout(texture.layout)) {
    converted.resize(std::size_t{width} * height);
    const PixelFieldCodec codec(texture.layout);
    for (std::uint32_t row = 0; row < height; ++row) {
      codec.DecodeRow(first + std::size_t{row} * copy.pitch,
                      converted.data() + std::size_t{row} * width, width);
    }
    pixels = converted.data();
    rowLength = 0;
  }
  EnsureStorage(texture);
  glBindTexture(GL_TEXTURE_2D, texture.id);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
  glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), area.left, area.top,
                  static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
                  GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  RestoreTextureBinding();
  copy.uploaded = true;
  uploadedThisFrame_ = true;
}

void GlGraphicsApi::ReleaseTexture(TextureHandle handle) {
  auto found = textures_.find(handle);
  if (found == textures_.end()) return;
  glDeleteTextures(1, &found->second->id);
  textures_.erase(found);
  if (states_ && states_->texture == handle) states_->texture = NoTexture;
}

Result GlGraphicsApi::SetTexture(std::uint32_t stage, TextureHandle handle) {
  if (context_ == nullptr || stage > 7) return Fail;
  Texture* texture = handle != NoTexture ? FindTexture(handle) : nullptr;
  if (handle != NoTexture && texture == nullptr) return Fail;
  if (stage != 0) return Ok;  // only stage 0 samples
  if (texture != nullptr) EnsureStorage(*texture);
  states_->texture = handle;
  RestoreTextureBinding();
  return Ok;
}

}  // namespace tvx
