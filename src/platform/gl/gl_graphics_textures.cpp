// Textures: CPU copies in the D3D layout, uploaded as 8-bit RGBA on unlock.
#include <algorithm>

#include "platform/gl/gl_graphics_internal.h"

namespace tvx {
namespace {

using namespace gfx;

std::uint32_t MipChainLength(std::uint32_t width, std::uint32_t height) {
  std::uint32_t length = 1;
  for (std::uint32_t size = std::max(width, height); size > 1; size /= 2) ++length;
  return length;
}

}  // namespace

GlGraphicsApi::Texture* GlGraphicsApi::FindTexture(Handle handle) {
  auto found = textures_.find(handle);
  return found != textures_.end() ? found->second.get() : nullptr;
}

Result GlGraphicsApi::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                    std::uint32_t usageFlags, std::uint32_t fmt,
                                    std::uint32_t /*pool*/, Handle& texture) {
  if (context_ == nullptr) return Fail;
  const std::optional<PixelFields> layout = gl::LayoutOfTextureFormat(fmt);
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
  created->glLevels = levels == 0 ? chain : std::min(levels, chain);
  // An automatically generated chain shows only its top level, as in D3D.
  created->generatesMipmaps = (usageFlags & usage::AutoGenMipMap) != 0 && created->glLevels > 1;
  const std::uint32_t lockable = created->generatesMipmaps ? 1 : created->glLevels;

  DiscardGlErrors();
  glGenTextures(1, &created->id);
  glBindTexture(GL_TEXTURE_2D, created->id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(created->glLevels - 1));
  for (std::uint32_t level = 0; level < created->glLevels; ++level) {
    const std::uint32_t w = std::max(width >> level, 1u);
    const std::uint32_t h = std::max(height >> level, 1u);
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGBA8, static_cast<GLsizei>(w),
                 static_cast<GLsizei>(h), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    if (level < lockable) {
      TextureLevel copy;
      copy.width = w;
      copy.height = h;
      copy.pitch = (w * layout->bytes + 3) & ~3u;
      copy.bytes.assign(std::size_t{copy.pitch} * h, 0);
      created->levels.push_back(std::move(copy));
    }
  }
  RestoreTextureBinding();
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &created->id);
    return Fail;
  }
  texture = nextHandle_++;
  textures_.emplace(texture, std::move(created));
  return Ok;
}

void GlGraphicsApi::RestoreTextureBinding() {
  const Texture* bound = FindTexture(states_->texture);
  glBindTexture(GL_TEXTURE_2D, bound != nullptr ? bound->id : 0);
}

Result GlGraphicsApi::LockRect(Handle handle, std::uint32_t level, LockedRect& locked,
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
  copy.locked = true;
  copy.lockReadOnly = (flags & lock::ReadOnly) != 0;
  copy.lockRect = area;
  locked.pitch = static_cast<std::int32_t>(copy.pitch);
  locked.bits = copy.bytes.data() + std::size_t(area.top) * copy.pitch +
                std::size_t(area.left) * texture->layout.bytes;
  return Ok;
}

Result GlGraphicsApi::UnlockRect(Handle handle, std::uint32_t level) {
  Texture* texture = FindTexture(handle);
  if (texture == nullptr || level >= texture->levels.size()) return Fail;
  TextureLevel& copy = texture->levels[level];
  if (!copy.locked) return Fail;
  copy.locked = false;
  if (copy.lockReadOnly) return Ok;

  const Rect& area = copy.lockRect;
  const auto width = static_cast<std::uint32_t>(area.right - area.left);
  const auto height = static_cast<std::uint32_t>(area.bottom - area.top);
  uploadRow_.resize(std::size_t{width} * height);
  const PixelFieldCodec codec(texture->layout);
  for (std::uint32_t row = 0; row < height; ++row) {
    const std::uint8_t* source = copy.bytes.data() + std::size_t(area.top + row) * copy.pitch +
                                 std::size_t(area.left) * texture->layout.bytes;
    codec.DecodeRow(source, uploadRow_.data() + std::size_t{row} * width, width);
  }
  glBindTexture(GL_TEXTURE_2D, texture->id);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), area.left, area.top,
                  static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
                  GL_UNSIGNED_INT_8_8_8_8_REV, uploadRow_.data());
  if (texture->generatesMipmaps) glGenerateMipmap(GL_TEXTURE_2D);
  RestoreTextureBinding();
  return Ok;
}

void GlGraphicsApi::ReleaseTexture(Handle handle) {
  auto found = textures_.find(handle);
  if (found == textures_.end()) return;
  glDeleteTextures(1, &found->second->id);
  textures_.erase(found);
  if (states_ && states_->texture == handle) states_->texture = 0;
}

Result GlGraphicsApi::SetTexture(std::uint32_t stage, Handle handle) {
  if (context_ == nullptr || stage > 7) return Fail;
  if (handle != 0 && FindTexture(handle) == nullptr) return Fail;
  if (stage != 0) return Ok;  // only stage 0 samples
  states_->texture = handle;
  RestoreTextureBinding();
  return Ok;
}

}  // namespace tvx
